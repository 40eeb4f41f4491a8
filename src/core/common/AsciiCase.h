#pragma once

#include <string>
#include <string_view>

// ASCII case folding over code page 932 text: only single-byte letters fold, and the bytes of a
// two-byte character are compared as they stand (its trail byte may look like a letter).
namespace nuvo {

// `text` with its single-byte capital letters made small.
std::string AsciiLower(std::string_view text);

bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// Whether `needle` occurs in `haystack` at a character boundary; an empty needle always does.
bool ContainsIgnoreCase(std::string_view haystack, std::string_view needle);

}  // namespace nuvo
