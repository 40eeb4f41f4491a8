#include "gui/net/NetworkSession.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QNetworkProxyFactory>
#include <QStandardPaths>
#include <QUrl>

#include "core/net/UserAgent.h"

namespace nuvo {

CNetworkSession::CNetworkSession(const QString& cookieFile)
    : cookies_(std::make_unique<CCookieJar>(cookieFile)) {
  // The program's own user agent names the executable unless a client names another product.
  SetExecutableName(
      QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString());
}

CNetworkSession::~CNetworkSession() = default;

void CNetworkSession::UseProxy(const std::string& proxy) {
  if (std::optional<QNetworkProxy> chosen = ProxyOf(proxy)) proxy_ = chosen;
}

QNetworkProxy CNetworkSession::ProxyFor(const QUrl& url) const {
  if (proxy_) return *proxy_;
  const QList<QNetworkProxy> system =
      QNetworkProxyFactory::systemProxyForQuery(QNetworkProxyQuery(url));
  return system.isEmpty() ? QNetworkProxy(QNetworkProxy::NoProxy) : system.first();
}

std::optional<QNetworkProxy> CNetworkSession::ProxyOf(const std::string& proxy) {
  if (proxy.empty()) return std::nullopt;
  const QString text = QString::fromStdString(proxy);
  const QUrl url(text.contains(QStringLiteral("://")) ? text : QStringLiteral("http://") + text);
  if (!url.isValid() || url.host().isEmpty()) return std::nullopt;
  return QNetworkProxy(QNetworkProxy::HttpProxy, url.host(), static_cast<quint16>(url.port(80)));
}

QString CNetworkSession::DefaultCookieFile() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
         QStringLiteral("/cookies.txt");
}

}  // namespace nuvo
