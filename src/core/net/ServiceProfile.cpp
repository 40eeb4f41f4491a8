#include "core/net/ServiceProfile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/common/Encoding.h"
#include "core/common/MessageFormat.h"
#include "core/common/StringTable.h"
#include "core/net/JsonDocument.h"

namespace nuvo {
namespace embedded {
extern const std::string_view kDefaultServiceProfile;
}  // namespace embedded

namespace {

constexpr std::array<std::string_view, kServiceRoleCount> kRoleKeys = {
    "sell",         "login",   "protect", "contact", "image",
    "announcement", "listing", "main",    "update",  "help"};

// A profile is a few hundred bytes; anything far larger is not one.
constexpr std::size_t kMaxProfileBytes = 64 * 1024;

bool IsHostChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '-' || c == '_' || c == '[' || c == ']' || c == ':';
}

// Whether `authority` is "host" or "host:port" with a port from 1 to 65535; user names and
// passwords are refused, since they would travel with every request.
bool IsAuthority(std::string_view authority) {
  if (authority.empty()) return false;
  for (char c : authority) {
    if (!IsHostChar(c)) return false;
  }
  std::size_t colon = authority.rfind(':');
  std::size_t bracket = authority.rfind(']');
  if (colon == std::string_view::npos || (bracket != std::string_view::npos && colon < bracket)) {
    return authority.front() != ':';
  }
  std::string_view port = authority.substr(colon + 1);
  if (colon == 0 || port.empty() || port.size() > 5) return false;
  unsigned value = 0;
  for (char c : port) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  return value >= 1 && value <= 65535;
}

// The base address `text` in its normal form (lower-case scheme, no trailing slash), or nullopt
// when it is not an http or https address of a host. A base may carry a path, never a query or
// fragment: callers append paths to it.
std::optional<std::string> NormalBaseUrl(std::string_view text) {
  std::string url;
  std::size_t schemeEnd = text.find("://");
  if (schemeEnd == std::string_view::npos) return std::nullopt;
  for (char c : text.substr(0, schemeEnd)) url += static_cast<char>(c | 0x20);
  if (url != "http" && url != "https") return std::nullopt;
  std::string_view rest = text.substr(schemeEnd + 3);
  for (char c : rest) {
    if (static_cast<unsigned char>(c) <= 0x20 || static_cast<unsigned char>(c) >= 0x7F ||
        c == '?' || c == '#' || c == '\\' || c == '"' || c == '@') {
      return std::nullopt;
    }
  }
  std::size_t slash = rest.find('/');
  if (!IsAuthority(rest.substr(0, slash))) return std::nullopt;
  while (!rest.empty() && rest.back() == '/') rest.remove_suffix(1);
  url += "://";
  url += rest;
  return url;
}

// A proxy is "host:port" or an http address of one.
bool IsProxy(std::string_view text) {
  if (text.find("://") != std::string_view::npos) return NormalBaseUrl(text).has_value();
  return IsAuthority(text) && text.find(':') != std::string_view::npos;
}

// Writes `text` (UTF-8) as a JSON string.
void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  for (char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
      out += escape;
    } else {
      out += c;
    }
  }
  out += '"';
}

const CJsonString* StringMember(const CJsonObject& object, std::string_view key) {
  const CJsonValue* value = object.Find(key);
  return value ? value->As<CJsonString>() : nullptr;
}

std::string FileNameForMessage(const std::string& fileName) {
  return Cp932FromUtf8(fileName).value_or(fileName);
}

}  // namespace

const CServiceProfile& CServiceProfile::Default() {
  static const CServiceProfile profile = [] {
    std::string error;
    std::optional<CServiceProfile> read = Parse(embedded::kDefaultServiceProfile, "default", error);
    if (!read) {
      std::fprintf(stderr, "nuvo: the built-in service profile is damaged\n");
      std::abort();
    }
    read->isDefault_ = true;
    return *read;
  }();
  return profile;
}

std::optional<CServiceProfile> CServiceProfile::Load(const std::string& path, std::string& error) {
  // Only a plain file is read; a folder or a device would throw or never end.
  std::error_code failure;
  std::uintmax_t size = std::filesystem::file_size(path, failure);
  std::ifstream in;
  if (!failure && std::filesystem::is_regular_file(path, failure)) in.open(path, std::ios::binary);
  if (!in) {
    error = FormatMessageId(IDS_SERVICE_PROFILE_UNREADABLE, {FileNameForMessage(path)});
    return std::nullopt;
  }
  std::string text(static_cast<std::size_t>(std::min<std::uintmax_t>(size, kMaxProfileBytes + 1)),
                   '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  return Parse(text, path, error);
}

std::optional<CServiceProfile> CServiceProfile::Parse(std::string_view json,
                                                      const std::string& fileName,
                                                      std::string& error) {
  std::string file = FileNameForMessage(fileName);
  auto refuse = [&](int id, std::string_view role = {}, std::string_view value = {}) {
    error = FormatMessageId(id, {file, std::string(role), Cp932FromUtf8(value).value_or("?")});
    return std::nullopt;
  };
  // The JSON reader walks code page 932, so UTF-8 text is brought to it first.
  std::optional<std::string> text =
      json.size() <= kMaxProfileBytes ? Cp932FromUtf8(json) : std::nullopt;
  CJsonDocument document;
  if (!text || document.Parse(*text) != kJsonOk || !document.GetRoot()) {
    return refuse(IDS_SERVICE_PROFILE_NOT_JSON);
  }
  const CJsonObject* root = document.GetRoot()->As<CJsonObject>();
  const CJsonValue* rolesValue = root ? root->Find("roles") : nullptr;
  const CJsonObject* roles = rolesValue ? rolesValue->As<CJsonObject>() : nullptr;
  if (!roles) return refuse(IDS_SERVICE_PROFILE_NOT_JSON);

  constexpr unsigned kUnescape = kJsonUnescapeQuotes | kJsonDecodeUnicode;
  CServiceProfile profile;
  for (std::size_t i = 0; i < kServiceRoleCount; ++i) {
    auto role = static_cast<ServiceRole>(i);
    std::string key(kRoleKeys[i]);
    const CJsonValue* value = roles->Find(key);
    // Without an update service the run skips its preparation; without a help site, messages
    // offer no help page.
    if (!value && (role == ServiceRole::Update || role == ServiceRole::Help)) continue;
    const CJsonString* string = value ? value->As<CJsonString>() : nullptr;
    if (!string) return refuse(IDS_SERVICE_PROFILE_ROLE_MISSING, key);
    std::string address = string->GetText(kUnescape);
    std::optional<std::string> url = NormalBaseUrl(address);
    if (!url) return refuse(IDS_SERVICE_PROFILE_BAD_ADDRESS, key, Utf8FromCp932(address));
    profile.urls_[i] = std::move(*url);
  }
  if (const CJsonValue* proxy = root->Find("proxy")) {
    const CJsonString* string = proxy->As<CJsonString>();
    std::string text = string ? string->GetText(kUnescape) : std::string("?");
    if (!text.empty() && !IsProxy(text)) {
      return refuse(IDS_SERVICE_PROFILE_BAD_PROXY, {}, Utf8FromCp932(text));
    }
    profile.proxy_ = std::move(text);
  }
  const CJsonString* name = StringMember(*root, "name");
  profile.name_ = name && !name->GetText(kUnescape).empty() ? name->GetText(kUnescape) : file;
  return profile;
}

std::string_view CServiceProfile::RoleKey(ServiceRole role) {
  return kRoleKeys[static_cast<std::size_t>(role)];
}

std::string CServiceProfile::ToJson() const {
  std::string out = "{\"name\": ";
  AppendJsonString(out, Utf8FromCp932(name_));
  out += ", \"roles\": {";
  bool first = true;
  for (std::size_t i = 0; i < kServiceRoleCount; ++i) {
    if (urls_[i].empty()) continue;
    if (!first) out += ", ";
    first = false;
    AppendJsonString(out, kRoleKeys[i]);
    out += ": ";
    AppendJsonString(out, urls_[i]);
  }
  out += '}';
  if (!proxy_.empty()) {
    out += ", \"proxy\": ";
    AppendJsonString(out, proxy_);
  }
  out += '}';
  return out;
}

CServiceProfile CServiceProfile::FromUrls(std::string name,
                                          const std::array<std::string, kServiceRoleCount>& urls,
                                          std::string proxy) {
  CServiceProfile profile;
  profile.name_ = std::move(name);
  profile.urls_ = urls;
  profile.proxy_ = std::move(proxy);
  return profile;
}

std::optional<CServiceProfile> ChooseServiceProfile(const std::string& commandLineFile,
                                                    const CAppComm& comm, std::string& error) {
  if (!commandLineFile.empty()) return CServiceProfile::Load(commandLineFile, error);
  const std::string setting = comm.GetSettingsString("ServiceProfile");
  if (!setting.empty()) return CServiceProfile::Load(Utf8FromCp932(setting), error);
  return CServiceProfile::Default();
}

}  // namespace nuvo
