#pragma once

#include <string>
#include <string_view>

// The form in which category names and search words are compared: a Japanese seller expects
// "ﾊﾟｿｺﾝ", "パソコン" and "ぱそこん" to find the same category, and "ＰＣ" to find "pc".
namespace nuvo {

// Folds UTF-8 text for matching: compatibility forms are unified (full-width letters and digits
// become ASCII, half-width katakana become full-width with their voiced marks joined), letter
// case is folded and katakana become hiragana. Invalid UTF-8 sequences are replaced.
std::string FoldForSearch(std::string_view utf8);

}  // namespace nuvo
