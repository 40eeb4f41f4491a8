#include "gui/app/BundledCategories.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace nuvo {

std::filesystem::path BundledCategoriesFolder() {
  const QString installed = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                            QStringLiteral("/../share/nuvo/categories"));
  if (QFileInfo(installed).isDir()) return std::filesystem::path(installed.toStdU16String());
  return std::filesystem::path(QStringLiteral(NUVO_BUILD_CATEGORIES_DIR).toStdU16String());
}

CCategoryCatalogue& BundledCatalogue() {
  static CCategoryCatalogue catalogue(BundledCategoriesFolder());
  return catalogue;
}

}  // namespace nuvo
