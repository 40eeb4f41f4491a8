#pragma once

#include <QNetworkProxy>
#include <QString>
#include <QUrl>
#include <memory>
#include <optional>
#include <string>

#include "gui/net/CookieJar.h"

namespace nuvo {

// The program's network access: the cookie jar and the proxy that every HTTP client of the
// program sends through, by default the proxy the system is set up with. The program makes one
// and hands it to whatever fetches pages.
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

  // The proxy that a connection to `url`'s server goes through (NoProxy for none).
  QNetworkProxy ProxyFor(const QUrl& url) const;

  // The HTTP proxy that a profile's proxy text names; nullopt for an empty or unusable text.
  static std::optional<QNetworkProxy> ProxyOf(const std::string& proxy);

  CCookieJar& Cookies() { return *cookies_; }

 private:
  std::unique_ptr<CCookieJar> cookies_;
  std::optional<QNetworkProxy> proxy_;  // the profile's, when it names one
};

}  // namespace nuvo
