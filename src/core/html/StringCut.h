#pragma once

#include <optional>
#include <string>
#include <string_view>

// Cutting code page 932 text at a separator or trimming its end without splitting a two-byte
// character: a backslash or "|" that is the second byte of "ソ" or "表" is never taken for one.
namespace nuvo {

// Removes the trailing run of `c`; when what is left ends with `guard`, one `c` is put back (so
// "C:\\\\" trimmed of backslashes with the guard ":" stays "C:\\"). Returns true when the text
// changed.
bool TrimRightKeepOne(std::string& text, char c, char guard);

// Removes one `c` from the end of `text`, as a folder path's final backslash. Returns true when
// there was one.
bool RemoveTrailing(std::string& text, char c);

// The text before or after the first separator, or the last one with `fromEnd`; nullopt when the
// text holds no separator.
std::optional<std::string> LeftOfChar(std::string_view text, char separator, bool fromEnd = false);
std::optional<std::string> RightOfChar(std::string_view text, char separator, bool fromEnd = false);

// As above with a separator of one or more characters; an empty separator is never found.
std::optional<std::string> LeftOfText(std::string_view text, std::string_view separator,
                                      bool fromEnd = false);
std::optional<std::string> RightOfText(std::string_view text, std::string_view separator,
                                       bool fromEnd = false);

}  // namespace nuvo
