#pragma once

#include <QNetworkCookie>
#include <QObject>

class QWebEngineCookieStore;

namespace nuvo {

class CCookieJar;

// Keeps the embedded browser's cookies and the program's jar the same, so that a login done in
// the browser serves the HTTP client and a session the client opened is seen by the browser.
// Links to both, which outlive it.
class CBrowserCookieBridge : public QObject {
  Q_OBJECT

 public:
  CBrowserCookieBridge(CCookieJar& jar, QWebEngineCookieStore& store, QObject* parent = nullptr);

 private:
  CCookieJar& jar_;
  QWebEngineCookieStore& store_;
  // Set while a change is being passed on, so that the echo from the other side is not passed
  // back.
  bool passing_ = false;
};

}  // namespace nuvo
