#pragma once

#include <QNetworkAccessManager>
#include <QString>
#include <memory>

#include "gui/net/CookieJar.h"

namespace nuvo {

// The program's network access: the access manager that every HTTP client of the program sends
// through, with the system's proxy settings and the program's one cookie jar. The program makes
// one and hands it to whatever fetches pages.
class CNetworkSession {
 public:
  // Cookies kept in `cookieFile`; by default the file in the user's data folder.
  explicit CNetworkSession(const QString& cookieFile = DefaultCookieFile());
  CNetworkSession(const CNetworkSession&) = delete;
  CNetworkSession& operator=(const CNetworkSession&) = delete;
  ~CNetworkSession();

  // "cookies.txt" in the program's data folder (QStandardPaths::AppDataLocation).
  static QString DefaultCookieFile();

  QNetworkAccessManager& Manager() { return *manager_; }
  CCookieJar& Cookies() { return *cookies_; }

 private:
  // Declared first so that it outlives the manager, which uses it.
  std::unique_ptr<CCookieJar> cookies_;
  std::unique_ptr<QNetworkAccessManager> manager_;
};

}  // namespace nuvo
