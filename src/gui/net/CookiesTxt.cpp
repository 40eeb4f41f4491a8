#include "gui/net/CookiesTxt.h"

#include <QDateTime>

namespace nuvo {

namespace {

constexpr char kHttpOnlyPrefix[] = "#HttpOnly_";

bool ReadLine(QByteArray line, QNetworkCookie& cookie) {
  bool httpOnly = false;
  if (line.startsWith(kHttpOnlyPrefix)) {
    httpOnly = true;
    line = line.mid(static_cast<int>(sizeof kHttpOnlyPrefix) - 1);
  }
  const QList<QByteArray> fields = line.split('\t');
  if (fields.size() != 7 || fields[0].isEmpty() || fields[5].isEmpty()) return false;
  bool number = false;
  const qint64 expiry = fields[4].toLongLong(&number);
  if (!number || expiry < 0) return false;
  cookie = QNetworkCookie(fields[5], fields[6]);
  // A domain cookie ("TRUE") keeps its leading dot, which is how Qt tells it from a host cookie.
  QByteArray domain = fields[0];
  if (fields[1] == "TRUE" && !domain.startsWith('.')) domain.prepend('.');
  if (fields[1] != "TRUE" && domain.startsWith('.')) domain.remove(0, 1);
  cookie.setDomain(QString::fromUtf8(domain));
  cookie.setPath(QString::fromUtf8(fields[2]));
  cookie.setSecure(fields[3] == "TRUE");
  cookie.setHttpOnly(httpOnly);
  if (expiry > 0) cookie.setExpirationDate(QDateTime::fromSecsSinceEpoch(expiry, Qt::UTC));
  return true;
}

}  // namespace

QList<QNetworkCookie> ParseCookiesTxt(const QByteArray& text, bool* ok) {
  QList<QNetworkCookie> cookies;
  bool allRead = true;
  for (QByteArray line : text.split('\n')) {
    if (line.endsWith('\r')) line.chop(1);
    if (line.trimmed().isEmpty()) continue;
    if (line.startsWith('#') && !line.startsWith(kHttpOnlyPrefix)) continue;
    QNetworkCookie cookie;
    if (ReadLine(line, cookie))
      cookies.append(cookie);
    else
      allRead = false;
  }
  if (ok) *ok = allRead;
  return cookies;
}

QByteArray FormatCookiesTxt(const QList<QNetworkCookie>& cookies) {
  QByteArray text = "# Netscape HTTP Cookie File\n";
  for (const QNetworkCookie& cookie : cookies) {
    const QByteArray domain = cookie.domain().toUtf8();
    if (cookie.isHttpOnly()) text += kHttpOnlyPrefix;
    text += domain + '\t' + (domain.startsWith('.') ? "TRUE" : "FALSE") + '\t' +
            (cookie.path().isEmpty() ? QByteArray("/") : cookie.path().toUtf8()) + '\t' +
            (cookie.isSecure() ? "TRUE" : "FALSE") + '\t' +
            QByteArray::number(
                cookie.isSessionCookie() ? 0 : cookie.expirationDate().toSecsSinceEpoch()) +
            '\t' + cookie.name() + '\t' + cookie.value() + '\n';
  }
  return text;
}

}  // namespace nuvo
