#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

// The values a listing may hold, in one place for every way in: the sheet, nuvo-cli's set, the
// edit commands and the file reader. A title refuses '"', '<', '>' and half-width katakana; the
// quantity runs from 1 to 99; a price from 0 (none set) to 9,999,999,999 yen, the most the
// service's ten-digit fields carry.
namespace nuvo {

struct CleanedTitle {
  std::string text;        // the title without the refused characters (code page 932)
  bool hadMarkup = false;  // it held '"', '<' or '>'
  bool hadHalfWidthKana = false;
  // The message that names what was removed, 0 when nothing was.
  int MessageId() const;
};

// Removes '"', '<', '>' and half-width katakana from `title`, stepping over two-byte characters
// whole so that their second bytes are never mistaken for either.
CleanedTitle CleanTitle(std::string_view title);

struct ValueRange {
  std::int64_t low;
  std::int64_t high;
  bool Holds(std::int64_t value) const { return value >= low && value <= high; }
  std::int64_t Clamp(std::int64_t value) const { return std::clamp(value, low, high); }
};

inline constexpr ValueRange kQuantityRange{1, 99};
inline constexpr ValueRange kPriceRange{0, 9'999'999'999};

}  // namespace nuvo
