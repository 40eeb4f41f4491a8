#include "gui/decorate/DecorateFontMeasure.h"

#include <cmath>

#include "gui/app/AppFonts.h"
#include "gui/common/QtText.h"

namespace nuvo {

CDecorateFontMeasure::Face& CDecorateFontMeasure::FaceFor(int size, std::uint32_t flags) {
  flags &= DECO_BOLD | DECO_ITALIC;
  const auto key = std::pair{size, flags};
  auto it = faces_.find(key);
  if (it == faces_.end()) {
    QFont font(JapaneseFontFamily());
    font.setPointSizeF(size / 10.0);
    font.setBold((flags & DECO_BOLD) != 0);
    font.setItalic((flags & DECO_ITALIC) != 0);
    // Text is placed character by character, so the advances must be whole pixels as measured.
    font.setHintingPreference(QFont::PreferFullHinting);
    it = faces_.try_emplace(key, Face{font, QFontMetricsF(font), {}, {}}).first;
    for (int c = 0; c < 128; ++c) {
      it->second.ascii[c] =
          static_cast<int>(std::lround(it->second.metrics.horizontalAdvance(QChar(c))));
    }
  }
  return it->second;
}

int CDecorateFontMeasure::CharWidth(std::string_view character, int size, std::uint32_t flags) {
  Face& face = FaceFor(size, flags);
  const auto lead = static_cast<unsigned char>(character[0]);
  if (character.size() == 1 && lead < 0x80) return face.ascii[lead];
  const int code =
      character.size() == 2 ? lead << 8 | static_cast<unsigned char>(character[1]) : lead;
  auto it = face.others.find(code);
  if (it == face.others.end()) {
    const QString text = ToQString(std::string(character));
    it = face.others
             .emplace(code, static_cast<int>(std::lround(face.metrics.horizontalAdvance(text))))
             .first;
  }
  return it->second;
}

int CDecorateFontMeasure::Ascent(int size) {
  return static_cast<int>(std::ceil(FaceFor(size, 0).metrics.ascent()));
}

int CDecorateFontMeasure::Descent(int size) {
  return static_cast<int>(std::ceil(FaceFor(size, 0).metrics.descent())) + 1;
}

const QFont& CDecorateFontMeasure::Font(int size, std::uint32_t flags) {
  return FaceFor(size, flags).font;
}

}  // namespace nuvo
