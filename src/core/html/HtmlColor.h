#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Colours as HTML writes them: the sixteen HTML colour names and "#RRGGBB". A colour is held as
// 0x00BBGGRR, with kNoColor for none.
namespace nuvo {

inline constexpr std::int32_t kNoColor = -1;

// The colour's name when `useNames` is set and it has one, else "#RRGGBB" in upper case; empty for
// kNoColor.
std::string ColorToHtml(std::int32_t color, bool useNames);

// The colour of an HTML colour name (in any letter case) or of "#RRGGBB"; kNoColor for anything
// else.
std::int32_t HtmlToColor(std::string_view text);

}  // namespace nuvo
