#include "gui/net/BrowserCookieBridge.h"

#include <QDateTime>
#include <QScopedValueRollback>
#include <QUrl>
#include <QWebEngineCookieStore>

#include "gui/net/CookieJar.h"

namespace nuvo {
namespace {

// The browser keeps expiry times finer than the jar's file does, so they count to the second.
bool SameCookie(const QNetworkCookie& a, const QNetworkCookie& b) {
  return a.hasSameIdentifier(b) && a.value() == b.value() &&
         a.isSessionCookie() == b.isSessionCookie() &&
         (a.isSessionCookie() ||
          a.expirationDate().toSecsSinceEpoch() == b.expirationDate().toSecsSinceEpoch()) &&
         a.isSecure() == b.isSecure() && a.isHttpOnly() == b.isHttpOnly();
}

// The address a cookie belongs to, which the browser needs to take it.
QUrl Origin(const QNetworkCookie& cookie) {
  QString host = cookie.domain();
  if (host.startsWith(QLatin1Char('.'))) host.remove(0, 1);
  QUrl origin;
  origin.setScheme(cookie.isSecure() ? QStringLiteral("https") : QStringLiteral("http"));
  origin.setHost(host);
  origin.setPath(cookie.path().isEmpty() ? QStringLiteral("/") : cookie.path());
  return origin;
}

}  // namespace

CBrowserCookieBridge::CBrowserCookieBridge(QWebEngineCookieStore& store, CCookieJar& jar,
                                           QObject* parent)
    : QObject(parent), store_(store), jar_(jar) {
  connect(&store_, &QWebEngineCookieStore::cookieAdded, this, &CBrowserCookieBridge::FromBrowser);
  connect(&store_, &QWebEngineCookieStore::cookieRemoved, this,
          &CBrowserCookieBridge::FromBrowserRemoved);
  connect(&jar_, &CCookieJar::cookieAdded, this, &CBrowserCookieBridge::ToBrowser);
  connect(&jar_, &CCookieJar::cookieRemoved, this, &CBrowserCookieBridge::ToBrowserRemoved);
  for (const QNetworkCookie& cookie : jar_.Cookies()) ToBrowser(cookie);
  store_.loadAllCookies();
}

void CBrowserCookieBridge::FromBrowser(const QNetworkCookie& cookie) {
  // The browser also tells of the cookies the bridge gave it.
  for (const QNetworkCookie& held : jar_.Cookies()) {
    if (SameCookie(held, cookie)) return;
  }
  const QScopedValueRollback guard(fromBrowser_, true);
  jar_.insertCookie(cookie);
}

void CBrowserCookieBridge::FromBrowserRemoved(const QNetworkCookie& cookie) {
  // The browser replaces a cookie by removing the old one first; only a cookie that the jar
  // holds unchanged is the one the browser dropped.
  for (const QNetworkCookie& held : jar_.Cookies()) {
    if (SameCookie(held, cookie)) {
      const QScopedValueRollback guard(fromBrowser_, true);
      jar_.deleteCookie(held);
      return;
    }
  }
}

// The jar's signals come at once, so a change that came from the browser is not sent back to
// it, where it could undo a newer one.
void CBrowserCookieBridge::ToBrowser(const QNetworkCookie& cookie) {
  if (fromBrowser_) return;
  store_.setCookie(cookie, Origin(cookie));
}

void CBrowserCookieBridge::ToBrowserRemoved(const QNetworkCookie& cookie) {
  if (fromBrowser_) return;
  store_.deleteCookie(cookie, Origin(cookie));
}

}  // namespace nuvo
