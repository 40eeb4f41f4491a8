#include "gui/batch/BatchJournalFolder.h"

#include <QStandardPaths>

namespace nuvo {

std::filesystem::path BatchJournalFolder() {
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  return std::filesystem::path(data.toStdU16String()) / "batches";
}

}  // namespace nuvo
