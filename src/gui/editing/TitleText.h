#pragma once

#include <string>
#include <string_view>

// The length shown beside the title box.
namespace nuvo {

// The title box's tool tip: its length in full-width characters, a single-byte character
// counting as half of one.
std::string TitleLengthTip(std::string_view title);

}  // namespace nuvo
