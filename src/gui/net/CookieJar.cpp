#include "gui/net/CookieJar.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkCookie>
#include <QSaveFile>
#include <QTimer>

namespace nuvo {

CCookieJar::CCookieJar(QString file, QObject* parent)
    : QNetworkCookieJar(parent), file_(std::move(file)) {
  Load();
}

CCookieJar::~CCookieJar() {
  if (savePending_) Save();
}

void CCookieJar::Load() {
  QFile file(file_);
  if (!file.open(QIODevice::ReadOnly)) return;
  QList<QNetworkCookie> cookies;
  const QDateTime now = QDateTime::currentDateTimeUtc();
  // One cookie in its full "Set-Cookie" form per line; lines that do not parse are skipped.
  while (!file.atEnd()) {
    for (const QNetworkCookie& cookie : QNetworkCookie::parseCookies(file.readLine().trimmed())) {
      if (!cookie.isSessionCookie() && cookie.expirationDate() > now &&
          !cookie.domain().isEmpty()) {
        cookies.append(cookie);
      }
    }
  }
  setAllCookies(cookies);
}

bool CCookieJar::Save() {
  savePending_ = false;
  QDir().mkpath(QFileInfo(file_).absolutePath());
  QSaveFile file(file_);
  if (!file.open(QIODevice::WriteOnly)) return false;
  const QDateTime now = QDateTime::currentDateTimeUtc();
  for (const QNetworkCookie& cookie : allCookies()) {
    // Cookies of the session end with the program, as they do in a browser.
    if (cookie.isSessionCookie() || cookie.expirationDate() <= now) continue;
    file.write(cookie.toRawForm(QNetworkCookie::Full));
    file.write("\n");
  }
  return file.commit();
}

void CCookieJar::ScheduleSave() {
  // One response often sets several cookies: they are written together once control returns
  // to the event loop, or when the jar is destroyed.
  if (savePending_) return;
  savePending_ = true;
  QTimer::singleShot(0, this, [this] {
    if (savePending_) Save();
  });
}

bool CCookieJar::insertCookie(const QNetworkCookie& cookie) {
  if (!QNetworkCookieJar::insertCookie(cookie)) return false;
  ScheduleSave();
  emit cookieAdded(cookie);
  return true;
}

bool CCookieJar::deleteCookie(const QNetworkCookie& cookie) {
  if (!QNetworkCookieJar::deleteCookie(cookie)) return false;
  ScheduleSave();
  emit cookieRemoved(cookie);
  return true;
}

}  // namespace nuvo
