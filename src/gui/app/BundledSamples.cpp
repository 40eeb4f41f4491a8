#include "gui/app/BundledSamples.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace nuvo {

std::filesystem::path BundledSamplesFolder() {
  const QString installed = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                            QStringLiteral("/../share/nuvo/samples"));
  if (QFileInfo(installed).isDir()) return std::filesystem::path(installed.toStdU16String());
  return std::filesystem::path(QStringLiteral(NUVO_BUILD_SAMPLES_DIR).toStdU16String());
}

}  // namespace nuvo
