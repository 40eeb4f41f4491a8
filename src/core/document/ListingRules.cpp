#include "core/document/ListingRules.h"

#include "core/common/Encoding.h"
#include "core/common/MessageIds.h"

namespace nuvo {

int CleanedTitle::MessageId() const {
  if (hadMarkup && hadHalfWidthKana) return IDS_TITLE_BAD_CHARS_AND_KANA;
  if (hadMarkup) return IDS_TITLE_BAD_CHARS;
  if (hadHalfWidthKana) return IDS_HALF_WIDTH_KANA;
  return 0;
}

CleanedTitle CleanTitle(std::string_view title) {
  CleanedTitle cleaned;
  for (std::size_t at = 0; at < title.size();) {
    std::size_t width = CharWidthAt(title, at);
    auto byte = static_cast<unsigned char>(title[at]);
    if (width == 1 && (byte == '"' || byte == '<' || byte == '>')) {
      cleaned.hadMarkup = true;
    } else if (width == 1 && byte >= 0xA1 && byte <= 0xDF) {
      cleaned.hadHalfWidthKana = true;
    } else {
      cleaned.text.append(title.substr(at, width));
    }
    at += width;
  }
  return cleaned;
}

}  // namespace nuvo
