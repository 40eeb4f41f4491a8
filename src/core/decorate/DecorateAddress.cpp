#include "core/decorate/DecorateAddress.h"

#include <cstring>
#include <string_view>

#include "core/common/Encoding.h"

#include "core/common/AsciiCase.h"

namespace nuvo {
namespace {

bool IsAsciiAlnum(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsMailByte(unsigned char c) { return IsAsciiAlnum(c) || std::strchr(".=-_@#|", c) != nullptr; }

// Every non-ASCII byte stops an address, so that none ends inside a two-byte character.
bool IsUrlByte(unsigned char c) {
  return c != 0 && (IsMailByte(c) || std::strchr("/%&~?$+:", c) != nullptr);
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

bool Linked(const CDecorateEditDoc& doc, int start, int end) {
  return doc.HasOverlapping(start, end, DECO_LINK);
}

// Which bytes of `part` are one-byte characters: the trail byte of a kanji may look like "@" or
// a letter and must never be taken for one.
std::vector<bool> SingleByteChars(std::string_view part) {
  std::vector<bool> single(part.size(), false);
  for (std::size_t i = 0; i < part.size();) {
    const std::size_t width = CharWidthAt(part, i);
    single[i] = width == 1;
    i += width;
  }
  return single;
}

// Web addresses with one scheme, left to right. A prefix with nothing behind it ends the search
// for that scheme.
void FindUrls(const CDecorateEditDoc& doc, std::string_view part, const std::vector<bool>& single,
              int base, std::string_view prefix, std::vector<FoundAddress>& out) {
  std::size_t from = 0;
  while (true) {
    const std::size_t hit = part.find(prefix, from);
    if (hit == std::string_view::npos) return;
    if (!single[hit]) {
      from = hit + 1;
      continue;
    }
    std::size_t end = hit + prefix.size();
    while (end < part.size() && IsUrlByte(static_cast<unsigned char>(part[end]))) ++end;
    if (end == hit + prefix.size()) return;
    const int start = base + static_cast<int>(hit);
    if (!Linked(doc, start, base + static_cast<int>(end))) {
      out.push_back(
          {start, base + static_cast<int>(end), std::string(part.substr(hit, end - hit))});
    }
    from = end;
  }
}

void FindMails(const CDecorateEditDoc& doc, std::string_view part, const std::vector<bool>& single,
               int base, std::vector<FoundAddress>& out) {
  std::size_t from = 0;
  while (true) {
    const std::size_t at = part.find('@', from);
    if (at == std::string_view::npos) return;
    if (!single[at]) {
      from = at + 1;
      continue;
    }
    std::size_t end = at + 1;
    while (end < part.size() && IsMailByte(static_cast<unsigned char>(part[end]))) ++end;
    std::size_t begin = at;
    while (begin > 0 && single[begin - 1] &&
           IsMailByte(static_cast<unsigned char>(part[begin - 1]))) {
      --begin;
    }
    if (end == at + 1 && begin == at) return;
    const int start = base + static_cast<int>(begin);
    if (!Linked(doc, start, base + static_cast<int>(end))) {
      out.push_back({start, base + static_cast<int>(end),
                     "mailto:" + std::string(part.substr(begin, end - begin))});
    }
    from = end;
  }
}

}  // namespace

std::string GetLinkAddressFromText(const CDecorateEditDoc& doc, int pos, int count) {
  std::string text;
  if (count <= 0 || !doc.GetTextAt(pos, text, count, false, false)) return {};
  for (unsigned char c : text) {
    if (c >= 0x80) return {};
  }
  for (std::string_view scheme : {"http://", "https://", "ftp://"}) {
    if (StartsWithIgnoreCase(text, scheme)) return text;
  }
  const std::size_t at = text.find('@', 1);
  if (at != std::string::npos && at + 1 < text.size()) return "mailto:" + text;
  return {};
}

std::vector<FoundAddress> FindUnlinkedAddresses(const CDecorateEditDoc& doc, int start, int count) {
  std::vector<FoundAddress> found;
  std::string part;
  if (count == 0 || !doc.GetTextAt(start, part, count, false, false)) return found;
  const std::vector<bool> single = SingleByteChars(part);
  for (std::string_view scheme : {"http://", "https://", "ftp://"}) {
    FindUrls(doc, part, single, start, scheme, found);
  }
  FindMails(doc, part, single, start, found);
  return found;
}

}  // namespace nuvo
