#include "gui/app/AppFonts.h"

#include <QApplication>
#include <QFontDatabase>

namespace nuvo {
namespace {

constexpr int kPointSize = 9;

}  // namespace

QString JapaneseFontFamily() {
  static const QString kWanted[] = {QStringLiteral("MS PGothic"), QStringLiteral("ＭＳ Ｐゴシック"),
                                    QStringLiteral("IPAPGothic"),
                                    QStringLiteral("Noto Sans CJK JP")};
  for (const QString& family : kWanted) {
    if (QFontDatabase::hasFamily(family)) return family;
  }
  return {};
}

QFont JapaneseUiFont() {
  QFont font = QApplication::font();
  const QString family = JapaneseFontFamily();
  if (!family.isEmpty()) font.setFamilies({family});
  font.setPointSize(kPointSize);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

}  // namespace nuvo
