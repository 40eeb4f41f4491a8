#include "core/html/CharClass.h"

#include "core/common/Encoding.h"

namespace nuvo {

bool IsNumberText(std::string_view text, unsigned flags) {
  bool hasDigit = false;
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    const char c = text[pos];
    if ((flags & kNumberHex) ? IsHexDigitChar(c) : IsDigitChar(c)) {
      hasDigit = true;
    } else if (!((flags & kNumberSigned) && pos == 0 && (c == '+' || c == '-')) &&
               !((flags & kNumberDecimalPoint) && c == '.')) {
      return false;
    }
  }
  return hasDigit;
}

bool HasHalfWidthKana(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t width = CharWidthAt(text, pos);
    if (width == 1 && IsHalfWidthKana(text[pos])) return true;
    pos += width;
  }
  return false;
}

}  // namespace nuvo
