#include "gui/net/BrowserCookieBridge.h"

#include <QWebEngineCookieStore>

#include "gui/net/CookieJar.h"

namespace nuvo {

namespace {

// The browser reports a cookie without the leading dot of a domain cookie in some versions; the
// jar needs a domain to keep it at all.
bool Keepable(const QNetworkCookie& cookie) { return !cookie.domain().isEmpty(); }

}  // namespace

CBrowserCookieBridge::CBrowserCookieBridge(CCookieJar& jar, QWebEngineCookieStore& store,
                                           QObject* parent)
    : QObject(parent), jar_(jar), store_(store) {
  for (const QNetworkCookie& cookie : jar_.Cookies()) store_.setCookie(cookie);
  connect(&store_, &QWebEngineCookieStore::cookieAdded, this, [this](const QNetworkCookie& cookie) {
    // The browser also reports the cookies the jar gave it, a little later: those are known.
    if (passing_ || !Keepable(cookie) || jar_.Cookies().contains(cookie)) return;
    passing_ = true;
    jar_.insertCookie(cookie);
    passing_ = false;
  });
  connect(&store_, &QWebEngineCookieStore::cookieRemoved, this,
          [this](const QNetworkCookie& cookie) {
            if (passing_) return;
            passing_ = true;
            jar_.deleteCookie(cookie);
            passing_ = false;
          });
  connect(&jar_, &CCookieJar::cookieAdded, this, [this](const QNetworkCookie& cookie) {
    if (passing_) return;
    passing_ = true;
    store_.setCookie(cookie);
    passing_ = false;
  });
  connect(&jar_, &CCookieJar::cookieRemoved, this, [this](const QNetworkCookie& cookie) {
    if (passing_) return;
    passing_ = true;
    store_.deleteCookie(cookie);
    passing_ = false;
  });
}

}  // namespace nuvo
