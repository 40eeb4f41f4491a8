#pragma once

#include <string>
#include <string_view>

// The characters a listing title may not hold, and the length shown beside it.
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

// The title box's tool tip: its length in full-width characters, a single-byte character
// counting as half of one.
std::string TitleLengthTip(std::string_view title);

}  // namespace nuvo
