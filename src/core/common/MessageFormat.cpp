#include "core/common/MessageFormat.h"

#include <cstdio>
#include <vector>

#include "core/common/Encoding.h"
#include "core/common/StringTable.h"

namespace nuvo {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Renders one argument with a printf conversion such as "d", "08x", "I64d" or "s".
std::string Render(const MessageArg& arg, std::string_view conversion) {
  if (const std::string* text = std::get_if<std::string>(&arg)) return *text;
  char type = conversion.empty() || conversion.back() == 's' ? 'd' : conversion.back();
  // Flags and width stay; whatever size the text names, the number is printed as 64 bits.
  std::string_view flags = conversion.substr(0, conversion.empty() ? 0 : conversion.size() - 1);
  if (std::size_t size = flags.find("I64"); size != std::string_view::npos)
    flags = flags.substr(0, size);
  std::string format = "%";
  for (char c : flags) {
    if (IsDigit(c) || c == '-' || c == '.') format += c;
  }
  format += "ll";
  format += type;
  const auto value = std::get<std::int64_t>(arg);
  char buffer[64];
  if (type == 'd' || type == 'i') {
    std::snprintf(buffer, sizeof buffer, format.c_str(), static_cast<long long>(value));
  } else {
    std::snprintf(buffer, sizeof buffer, format.c_str(), static_cast<unsigned long long>(value));
  }
  return buffer;
}

// Length of a printf conversion at the start of `rest` ("I64d", "08x", "s" ...); 0 when none.
std::size_t ConversionLength(std::string_view rest) {
  std::size_t i = 0;
  while (i < rest.size() && (IsDigit(rest[i]) || rest[i] == '-' || rest[i] == '.')) ++i;
  if (rest.substr(i, 3) == "I64") i += 3;
  while (i < rest.size() && (rest[i] == 'l' || rest[i] == 'h')) ++i;
  if (i < rest.size() && std::string_view("dsiuxXc").find(rest[i]) != std::string_view::npos)
    return i + 1;
  return 0;
}

}  // namespace

std::string FormatMessageText(std::string_view pattern, std::initializer_list<MessageArg> args) {
  const std::vector<MessageArg> values(args);
  std::size_t next = 0;
  std::string out;
  out.reserve(pattern.size());
  for (std::size_t i = 0; i < pattern.size();) {
    std::size_t width = CharWidthAt(pattern, i);
    if (pattern[i] != '%' || i + 1 == pattern.size()) {
      out.append(pattern.substr(i, width));
      i += width;
      continue;
    }
    std::string_view rest = pattern.substr(i + 1);
    if (rest[0] == '%') {
      out += '%';
      i += 2;
    } else if (IsDigit(rest[0]) && rest[0] != '0') {
      std::size_t digits = 1;
      while (digits < rest.size() && digits < 2 && IsDigit(rest[digits])) ++digits;
      std::size_t index =
          static_cast<std::size_t>(std::stoi(std::string(rest.substr(0, digits)))) - 1;
      std::string_view conversion = "s";
      std::size_t used = digits;
      if (digits < rest.size() && rest[digits] == '!') {
        std::size_t close = rest.find('!', digits + 1);
        if (close != std::string_view::npos) {
          conversion = rest.substr(digits + 1, close - digits - 1);
          used = close + 1;
        }
      }
      if (index < values.size()) out += Render(values[index], conversion);
      i += 1 + used;
    } else if (std::size_t length = ConversionLength(rest); length != 0) {
      if (next < values.size()) out += Render(values[next++], rest.substr(0, length));
      i += 1 + length;
    } else {
      out += '%';
      ++i;
    }
  }
  return out;
}

std::string FormatMessageId(int id, std::initializer_list<MessageArg> args) {
  return FormatMessageText(LoadString(id), args);
}

}  // namespace nuvo
