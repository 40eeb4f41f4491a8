#include "gui/app/HelpPages.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "core/common/StringTable.h"

namespace nuvo {

QString HelpPageFile(const QString& page) {
  for (const QString& folder :
       {QCoreApplication::applicationDirPath() + QStringLiteral("/../share/nuvo/help"),
        QStringLiteral(NUVO_SOURCE_HELP_DIR)}) {
    const QString file = QDir::cleanPath(folder + QLatin1Char('/') + page);
    if (QFileInfo(file).isFile()) return file;
  }
  return {};
}

bool ShowHelpPage(const QString& page, const QString& anchor) {
  const QString file = HelpPageFile(page);
  if (file.isEmpty()) return false;
  QUrl url = QUrl::fromLocalFile(file);
  if (!anchor.isEmpty()) url.setFragment(anchor);
  QDesktopServices::openUrl(url);
  return true;
}

void ShowHelpPage(IUserPrompt& prompt, const QString& page, const QString& anchor) {
  if (!ShowHelpPage(page, anchor)) ShowMessage(prompt, IDS_HELP_PAGE_MISSING, {page.toStdString()});
}

}  // namespace nuvo
