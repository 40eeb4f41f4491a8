#pragma once

#include <string>
#include <string_view>

// Half-width katakana (JIS X 0201) to their full-width forms (JIS X 0208) in code page 932 text,
// for places that accept full-width characters only.
namespace nuvo {

// Replaces each half-width katakana by its full-width form, folding a following voiced or
// semi-voiced mark into the kana when the combination exists ("ｶﾞ" → "ガ", "ﾊﾟ" → "パ"). A lone
// mark becomes the full-width mark; a one-byte character above ASCII that is no katakana (0x80,
// 0xA0) becomes ".". Everything else is copied.
std::string HalfToFullKana(std::string_view text);

}  // namespace nuvo
