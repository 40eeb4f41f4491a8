#include "cli/CookieJarFile.h"

#include <QFile>
#include <QSaveFile>

#include "gui/net/CookiesTxt.h"

namespace nuvo::cli {

bool ReadCookieJar(const std::string& path, CCookieJar& jar) {
  QFile file(QString::fromStdString(path));
  if (!file.exists()) return true;
  if (!file.open(QIODevice::ReadOnly)) return false;
  bool ok = false;
  for (const QNetworkCookie& cookie : ParseCookiesTxt(file.readAll(), &ok))
    jar.insertCookie(cookie);
  return ok;
}

bool WriteCookieJar(const std::string& path, const CCookieJar& jar) {
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(FormatCookiesTxt(jar.Cookies()));
  return file.commit();
}

}  // namespace nuvo::cli
