#include "core/html/Charset.h"

#include <array>

#include "core/common/AsciiCase.h"
#include "core/common/Encoding.h"

namespace nuvo {
namespace {

std::size_t FindIgnoringCase(std::string_view text, std::string_view word, std::size_t from) {
  for (std::size_t pos = from; pos + word.size() <= text.size(); ++pos) {
    if (EqualsIgnoreCase(text.substr(pos, word.size()), word)) return pos;
  }
  return std::string_view::npos;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The ICU converter of an encoding, or nullptr.
const char* IcuName(Charset charset) {
  switch (charset) {
    case Charset::kIso2022Jp:
      return kIso2022Jp;
    case Charset::kShiftJis:
      return kCp932;
    case Charset::kEucJp:
      return kEucJp;
    case Charset::kUtf8:
      return kUtf8;
    case Charset::kNone:
      break;
  }
  return nullptr;
}

const char* IcuNameOfCodePage(unsigned codePage) {
  switch (codePage) {
    case 932:
      return kCp932;
    case 20932:
    case 51932:
      return kEucJp;
    case 50220:
    case 50221:
    case 50222:
      return kIso2022Jp;
    case 65001:
      return kUtf8;
    default:
      return nullptr;
  }
}

}  // namespace

Charset CharsetFromName(std::string_view name) {
  struct Alias {
    std::string_view name;
    Charset charset;
  };
  static constexpr std::array<Alias, 6> kAliases{{{"EUC-JP", Charset::kEucJp},
                                                  {"x-euc-jp", Charset::kEucJp},
                                                  {"ISO-2022-JP", Charset::kIso2022Jp},
                                                  {"Shift_JIS", Charset::kShiftJis},
                                                  {"x-sjis", Charset::kShiftJis},
                                                  {"UTF-8", Charset::kUtf8}}};
  for (const Alias& alias : kAliases) {
    if (EqualsIgnoreCase(name, alias.name)) return alias.charset;
  }
  return Charset::kNone;
}

std::string_view CharsetName(Charset charset) {
  switch (charset) {
    case Charset::kIso2022Jp:
      return "ISO-2022-JP";
    case Charset::kShiftJis:
      return "Shift_JIS";
    case Charset::kEucJp:
      return "EUC-JP";
    case Charset::kUtf8:
      return "UTF-8";
    case Charset::kNone:
      break;
  }
  return {};
}

std::optional<std::string> ContentTypeFor(Charset charset) {
  const std::string_view name = CharsetName(charset);
  if (name.empty()) return std::nullopt;
  return "text/html; charset=" + std::string(name);
}

Charset CharsetOfHtml(std::string_view html) {
  // The page's encoding is not known yet, so this is a byte search: the declaration is ASCII.
  constexpr std::string_view kKey = "charset";
  for (std::size_t found = FindIgnoringCase(html, kKey, 0); found != std::string_view::npos;
       found = FindIgnoringCase(html, kKey, found + kKey.size())) {
    std::size_t pos = found + kKey.size();
    while (pos < html.size() && IsSpace(html[pos])) ++pos;
    if (pos >= html.size() || html[pos] != '=') continue;
    ++pos;
    while (pos < html.size() && IsSpace(html[pos])) ++pos;
    if (pos < html.size() && (html[pos] == '"' || html[pos] == '\'')) ++pos;
    const std::size_t end = html.find_first_of(";\"'> \t\r\n/", pos);
    const std::string_view value = html.substr(pos, end - pos);
    if (!value.empty()) return CharsetFromName(value);
  }
  return Charset::kNone;
}

std::optional<std::string> ToShiftJis(std::string_view text, Charset charset) {
  if (text.empty()) return std::nullopt;
  if (charset == Charset::kShiftJis) return std::string(text);
  const char* from = IcuName(charset);
  if (!from) return std::nullopt;
  return ConvertCharset(text, from, kCp932);
}

std::optional<std::string> ConvertCodePage(unsigned fromCodePage, unsigned toCodePage,
                                           std::string_view text) {
  if (text.empty()) return std::nullopt;
  if (fromCodePage == toCodePage) return std::string(text);
  const char* from = IcuNameOfCodePage(fromCodePage);
  const char* to = IcuNameOfCodePage(toCodePage);
  if (!from || !to) return std::nullopt;
  return ConvertCharset(text, from, to);
}

}  // namespace nuvo
