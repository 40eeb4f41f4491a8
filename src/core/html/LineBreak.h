#pragma once

#include <cstddef>
#include <string_view>

// The Japanese line-breaking rules: characters that may not begin a line (closing brackets,
// punctuation, the long-vowel mark) and characters that may not end one (opening brackets).
namespace nuvo {

// Whether the character of `text` at `pos` may not begin a line. `width` is the character's width
// in bytes (1 or 2), or 0 to take it from the byte at `pos`.
bool IsNoLineStartChar(std::string_view text, std::size_t pos, std::size_t width = 0);

// Whether the character of `text` at `pos` may not end a line; `width` as above.
bool IsNoLineEndChar(std::string_view text, std::size_t pos, std::size_t width = 0);

}  // namespace nuvo
