#include "core/html/HtmlColor.h"

#include <array>
#include <cstdio>

#include "core/common/AsciiCase.h"
#include "core/html/CharClass.h"

namespace nuvo {
namespace {

struct NamedColor {
  std::string_view name;
  std::int32_t color;
};

constexpr std::int32_t Rgb(std::int32_t red, std::int32_t green, std::int32_t blue) {
  return red | (green << 8) | (blue << 16);
}

constexpr std::array<NamedColor, 16> kNamedColors{{
    {"black", Rgb(0x00, 0x00, 0x00)},
    {"gray", Rgb(0x80, 0x80, 0x80)},
    {"silver", Rgb(0xC0, 0xC0, 0xC0)},
    {"white", Rgb(0xFF, 0xFF, 0xFF)},
    {"maroon", Rgb(0x80, 0x00, 0x00)},
    {"red", Rgb(0xFF, 0x00, 0x00)},
    {"olive", Rgb(0x80, 0x80, 0x00)},
    {"yellow", Rgb(0xFF, 0xFF, 0x00)},
    {"green", Rgb(0x00, 0x80, 0x00)},
    {"lime", Rgb(0x00, 0xFF, 0x00)},
    {"teal", Rgb(0x00, 0x80, 0x80)},
    {"aqua", Rgb(0x00, 0xFF, 0xFF)},
    {"navy", Rgb(0x00, 0x00, 0x80)},
    {"blue", Rgb(0x00, 0x00, 0xFF)},
    {"purple", Rgb(0x80, 0x00, 0x80)},
    {"fuchsia", Rgb(0xFF, 0x00, 0xFF)},
}};

}  // namespace

std::string ColorToHtml(std::int32_t color, bool useNames) {
  if (color == kNoColor) return {};
  color &= 0xFFFFFF;
  if (useNames) {
    for (const NamedColor& named : kNamedColors) {
      if (named.color == color) return std::string(named.name);
    }
  }
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF,
                (color >> 16) & 0xFF);
  return text;
}

std::int32_t HtmlToColor(std::string_view text) {
  for (const NamedColor& named : kNamedColors) {
    if (EqualsIgnoreCase(text, named.name)) return named.color;
  }
  if (text.size() != 7 || text[0] != '#') return kNoColor;
  std::int32_t channels[3];
  for (int i = 0; i < 3; ++i) {
    const char high = text[1 + i * 2];
    const char low = text[2 + i * 2];
    if (!IsHexDigitChar(high) || !IsHexDigitChar(low)) return kNoColor;
    channels[i] = HexDigitValue(high) * 16 + HexDigitValue(low);
  }
  return Rgb(channels[0], channels[1], channels[2]);
}

}  // namespace nuvo
