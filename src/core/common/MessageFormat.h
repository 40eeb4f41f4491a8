#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

// Fills the placeholders of a message text: positional ones ("%1!d!", "%2!s!", "%1") that pick an
// argument by number, and sequential ones ("%s", "%d", "%I64d", "%u", "%x") that take the next
// argument; "%%" is a percent sign. Works on code page 932 bytes and never splits a character.
namespace nuvo {

using MessageArg = std::variant<std::int64_t, std::string>;

// Formats `pattern` with `args`. A placeholder whose argument is missing is left out; a text fills
// a number placeholder as it stands and a number fills a text placeholder in decimal.
std::string FormatMessageText(std::string_view pattern, std::initializer_list<MessageArg> args);

// Formats the string table's text of `id` (code page 932).
std::string FormatMessageId(int id, std::initializer_list<MessageArg> args = {});

}  // namespace nuvo
