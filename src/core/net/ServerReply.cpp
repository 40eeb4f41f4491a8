#include "core/net/ServerReply.h"

#include <cstdio>

#include "core/common/MessageFormat.h"
#include "core/common/MessageIds.h"

namespace nuvo {
namespace {

constexpr std::string_view kFieldNames[CServerReply::kFieldCount] = {"reply", "msg", "attention",
                                                                     "alert", "fixed_url"};

std::string WithLineBreaks(std::string_view text) {
  std::string out;
  for (std::size_t pos = 0;;) {
    std::size_t br = text.find("<br>", pos);
    out.append(text.substr(pos, br - pos));
    if (br == std::string_view::npos) return out;
    out += "\r\n";
    pos = br + 4;
  }
}

std::string Hex8(unsigned value) {
  char text[9];
  std::snprintf(text, sizeof text, "%08x", value);
  return text;
}

}  // namespace

void AppendVersionParameters(std::string& query, bool first, std::span<const unsigned, 4> version) {
  query += first ? "ver_ms=" : "&ver_ms=";
  query += Hex8((version[0] & 0xFFFF) << 16 | (version[1] & 0xFFFF));
  query += "&ver_ls=";
  query += Hex8((version[2] & 0xFFFF) << 16 | (version[3] & 0xFFFF));
}

bool CServerReply::Parse(std::string_view text) {
  for (std::string& field : fields_) field.clear();
  extra_.clear();
  for (std::size_t pos = 0;;) {
    std::size_t open = text.find("<!--", pos);
    if (open == std::string_view::npos) break;
    std::size_t close = text.find("-->", open + 4);
    if (close == std::string_view::npos) break;
    pos = close + 3;
    // The value runs to the end of the comment, so that an address keeps its query.
    std::string_view body = text.substr(open + 4, close - open - 4);
    std::size_t equals = body.find('=');
    if (equals == std::string_view::npos) continue;
    std::string_view name = body.substr(0, equals);
    std::string_view value = body.substr(equals + 1);
    if (name.empty() || value.empty()) continue;
    int index = kFieldCount;
    for (int i = 0; i < kFieldCount; ++i) {
      if (name == kFieldNames[i]) index = i;
    }
    if (index == kFieldCount) {
      extra_.emplace_back(name, value);
    } else if (index == kMessage || index == kAttention || index == kAlert) {
      fields_[index] = WithLineBreaks(value);
    } else {
      fields_[index] = value;
    }
  }
  return !fields_[kReply].empty();
}

bool CServerReply::IsAccepted() const {
  return fields_[kReply] == "ok" || fields_[kReply] == "ok_ver_up";
}

bool CServerReply::IsOutdated() const { return fields_[kReply] == "ok_ver_up"; }

bool CServerReply::HasField(int index) const {
  return index >= 0 && index < kFieldCount && !fields_[index].empty();
}

bool CServerReply::GetField(int index, std::string& out) const {
  if (index < 0 || index >= kFieldCount) return false;
  out = fields_[index];
  return true;
}

bool CServerReply::GetValue(std::string_view name, std::string& out) const {
  for (const auto& [key, value] : extra_) {
    if (key == name) {
      out = value;
      return true;
    }
  }
  return false;
}

bool HandleServerReply(const CServerReply& reply, IUserPrompt& prompt, std::string_view appTitle,
                       std::string& pendingNotice) {
  std::string text;
  if (reply.HasField(CServerReply::kAlert)) {
    reply.GetField(CServerReply::kAlert, text);
    prompt.Ask({0, text, PromptButtons::Ok, PromptIcon::Error, 0});
    return true;
  }
  if (reply.HasField(CServerReply::kAttention)) {
    reply.GetField(CServerReply::kAttention, text);
    prompt.Ask({0, text, PromptButtons::Ok, PromptIcon::Default, 0});
    return true;
  }
  if (reply.HasField(CServerReply::kMessage)) {
    reply.GetField(CServerReply::kMessage, pendingNotice);
  } else if (reply.IsOutdated()) {
    pendingNotice = FormatMessageId(IDS_OUTDATED_VERSION, {std::string(appTitle)});
  }
  return false;
}

std::string TakeStatusNotice(std::string& pendingNotice) {
  if (pendingNotice.empty()) return {};
  std::string text = FormatMessageId(IDS_MAKER_NOTICE, {pendingNotice});
  pendingNotice.clear();
  return text;
}

}  // namespace nuvo
