#include "core/common/AsciiCase.h"

#include "core/common/Encoding.h"

namespace nuvo {
namespace {

constexpr char FoldByte(char byte) {
  return byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte;
}

// Whether `needle` matches `haystack` from `pos`, which is a character boundary of `haystack`.
bool MatchesAt(std::string_view haystack, std::size_t pos, std::string_view needle) {
  if (haystack.size() - pos < needle.size()) return false;
  for (std::size_t i = 0; i < needle.size();) {
    std::size_t width = CharWidthAt(needle, i);
    if (width == 2) {
      if (haystack[pos + i] != needle[i] || haystack[pos + i + 1] != needle[i + 1]) return false;
    } else if (FoldByte(haystack[pos + i]) != FoldByte(needle[i])) {
      return false;
    }
    i += width;
  }
  return true;
}

}  // namespace

std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (std::size_t i = 0; i < lower.size();) {
    std::size_t width = CharWidthAt(lower, i);
    if (width == 1) lower[i] = FoldByte(lower[i]);
    i += width;
  }
  return lower;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && MatchesAt(a, 0, b);
}

bool ContainsIgnoreCase(std::string_view haystack, std::string_view needle) {
  if (needle.empty()) return true;
  for (std::size_t pos = 0; pos < haystack.size(); pos += CharWidthAt(haystack, pos)) {
    if (MatchesAt(haystack, pos, needle)) return true;
  }
  return false;
}

}  // namespace nuvo
