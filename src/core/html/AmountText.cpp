#include "core/html/AmountText.h"

#include "core/common/Encoding.h"

namespace nuvo {

std::string AmountText(std::int64_t yen) {
  // Work on the magnitude as unsigned so that the smallest i64 has one too.
  std::uint64_t magnitude =
      yen < 0 ? ~static_cast<std::uint64_t>(yen) + 1 : static_cast<std::uint64_t>(yen);
  const std::string digits = std::to_string(magnitude);
  std::string text = yen < 0 ? "-" : "";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  static const std::string unit = Cp932(" 円");
  return text + unit;
}

}  // namespace nuvo
