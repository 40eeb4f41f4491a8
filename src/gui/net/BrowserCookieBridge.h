#pragma once

#include <QNetworkCookie>
#include <QObject>

class QWebEngineCookieStore;

namespace nuvo {

class CCookieJar;

// Keeps the embedded browser's cookies and the HTTP client's jar one store: what a page sets in
// the browser (the session of a login) reaches the jar, and what a reply sets in the jar, or the
// jar brought back from the last run, reaches the browser. The jar is the one that lasts between
// runs. Neither side is owned; both must outlive the bridge.
class CBrowserCookieBridge : public QObject {
  Q_OBJECT

 public:
  CBrowserCookieBridge(QWebEngineCookieStore& store, CCookieJar& jar, QObject* parent = nullptr);

 private:
  void FromBrowser(const QNetworkCookie& cookie);
  void FromBrowserRemoved(const QNetworkCookie& cookie);
  void ToBrowser(const QNetworkCookie& cookie);
  void ToBrowserRemoved(const QNetworkCookie& cookie);

  QWebEngineCookieStore& store_;
  CCookieJar& jar_;
  bool fromBrowser_ = false;
};

}  // namespace nuvo
