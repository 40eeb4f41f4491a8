#pragma once

#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QString>

namespace nuvo {

// The program's one cookie jar: every HTTP client sends through it, and the cookies that outlive
// the session are kept in a file in the user's data folder, saved whole and atomically after
// each change. The embedded browser's cookie store is bridged to it through insertCookie /
// deleteCookie (browser to jar) and the cookieAdded / cookieRemoved signals (jar to browser).
class CCookieJar : public QNetworkCookieJar {
  Q_OBJECT

 public:
  // Loads the cookies kept in `file`; a missing or damaged file gives an empty jar.
  explicit CCookieJar(QString file, QObject* parent = nullptr);
  ~CCookieJar() override;

  QList<QNetworkCookie> Cookies() const { return allCookies(); }
  bool insertCookie(const QNetworkCookie& cookie) override;
  bool deleteCookie(const QNetworkCookie& cookie) override;

  // Writes the lasting cookies now; false when the file could not be written.
  bool Save();

 signals:
  void cookieAdded(const QNetworkCookie& cookie);
  void cookieRemoved(const QNetworkCookie& cookie);

 private:
  void Load();
  void ScheduleSave();

  QString file_;
  bool savePending_ = false;
};

}  // namespace nuvo
