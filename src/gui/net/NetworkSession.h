#pragma once

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QString>
#include <memory>
#include <optional>
#include <string>

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

  // Sends every request through the service profile's proxy ("host:port" or an http address of
  // one) instead of the system's; an empty text keeps the system's.
  void UseProxy(const std::string& proxy);

  // The HTTP proxy that a profile's proxy text names; nullopt for an empty or unusable text.
  static std::optional<QNetworkProxy> ProxyOf(const std::string& proxy);

  QNetworkAccessManager& Manager() { return *manager_; }
  CCookieJar& Cookies() { return *cookies_; }

 private:
  // Declared first so that it outlives the manager, which uses it.
  std::unique_ptr<CCookieJar> cookies_;
  std::unique_ptr<QNetworkAccessManager> manager_;
};

}  // namespace nuvo
