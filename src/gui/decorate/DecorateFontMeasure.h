#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <cstdint>
#include <map>
#include <unordered_map>
#include <utility>

#include "core/decorate/DecorateLayout.h"

// The fonts of the decorated editor: the program's Japanese Gothic at each size, bold and slant
// the text uses, with the widths of the characters measured so far. Owns its fonts and widths.
namespace nuvo {

class CDecorateFontMeasure : public IDecorateMeasure {
 public:
  int CharWidth(std::string_view character, int size, std::uint32_t flags) override;
  int Ascent(int size) override;
  int Descent(int size) override;

  // The font for `size` tenths of a point with the DECO_BOLD and DECO_ITALIC bits of `flags`.
  const QFont& Font(int size, std::uint32_t flags);

 private:
  struct Face {
    QFont font;
    QFontMetricsF metrics;
    int ascii[128];
    std::unordered_map<int, int> others;  // by the character's bytes
  };
  Face& FaceFor(int size, std::uint32_t flags);

  std::map<std::pair<int, std::uint32_t>, Face> faces_;
};

}  // namespace nuvo
