#include "core/html/StringCut.h"

#include "core/common/Encoding.h"

namespace nuvo {
namespace {

constexpr std::size_t kNotFound = std::string_view::npos;

// Where `separator` starts at a character boundary of `text`: the first place, or the last one
// with `fromEnd`.
std::size_t FindAtBoundary(std::string_view text, std::string_view separator, bool fromEnd) {
  if (separator.empty()) return kNotFound;
  std::size_t found = kNotFound;
  for (std::size_t pos = 0; pos < text.size(); pos += CharWidthAt(text, pos)) {
    if (text.compare(pos, separator.size(), separator) != 0) continue;
    found = pos;
    if (!fromEnd) break;
  }
  return found;
}

std::optional<std::string> Left(std::string_view text, std::size_t found) {
  if (found == kNotFound) return std::nullopt;
  return std::string(text.substr(0, found));
}

std::optional<std::string> Right(std::string_view text, std::size_t found, std::size_t length) {
  if (found == kNotFound) return std::nullopt;
  return std::string(text.substr(found + length));
}

// Start of the last character of `text`, which must not be empty.
std::size_t LastCharStart(std::string_view text) {
  std::size_t last = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += CharWidthAt(text, pos)) last = pos;
  return last;
}

}  // namespace

bool TrimRightKeepOne(std::string& text, char c, char guard) {
  // The trailing run of one-byte `c`, and the character just before it.
  std::size_t runStart = kNotFound;
  std::size_t before = kNotFound;
  std::size_t previous = kNotFound;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t width = CharWidthAt(text, pos);
    if (width == 1 && text[pos] == c) {
      if (runStart == kNotFound) {
        runStart = pos;
        before = previous;
      }
    } else {
      runStart = kNotFound;
    }
    previous = pos;
    pos += width;
  }
  if (runStart == kNotFound) return false;
  std::size_t keep = runStart;
  if (before != kNotFound && before + 1 == runStart && text[before] == guard) ++keep;
  if (keep == text.size()) return false;
  text.resize(keep);
  return true;
}

bool RemoveTrailing(std::string& text, char c) {
  if (text.empty()) return false;
  const std::size_t last = LastCharStart(text);
  if (last + 1 != text.size() || text[last] != c) return false;
  text.pop_back();
  return true;
}

std::optional<std::string> LeftOfChar(std::string_view text, char separator, bool fromEnd) {
  return Left(text, FindAtBoundary(text, std::string_view(&separator, 1), fromEnd));
}

std::optional<std::string> RightOfChar(std::string_view text, char separator, bool fromEnd) {
  return Right(text, FindAtBoundary(text, std::string_view(&separator, 1), fromEnd), 1);
}

std::optional<std::string> LeftOfText(std::string_view text, std::string_view separator,
                                      bool fromEnd) {
  return Left(text, FindAtBoundary(text, separator, fromEnd));
}

std::optional<std::string> RightOfText(std::string_view text, std::string_view separator,
                                       bool fromEnd) {
  return Right(text, FindAtBoundary(text, separator, fromEnd), separator.size());
}

}  // namespace nuvo
