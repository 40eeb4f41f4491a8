#include "gui/net/NetworkSession.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QNetworkProxyFactory>
#include <QStandardPaths>
#include <QUrl>

#include "core/net/UserAgent.h"

namespace nuvo {
namespace {

// The proxy the system is set up with, for this manager only.
class CSystemProxyFactory : public QNetworkProxyFactory {
 public:
  QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override {
    return systemProxyForQuery(query);
  }
};

}  // namespace

CNetworkSession::CNetworkSession(const QString& cookieFile)
    : cookies_(std::make_unique<CCookieJar>(cookieFile)),
      manager_(std::make_unique<QNetworkAccessManager>()) {
  manager_->setProxyFactory(new CSystemProxyFactory);
  manager_->setCookieJar(cookies_.get());
  // The manager adopts the jar it is given; the session keeps it so that it can be shared.
  cookies_->setParent(nullptr);
  // The program's own user agent names the executable unless a client names another product.
  SetExecutableName(
      QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString());
}

CNetworkSession::~CNetworkSession() = default;

void CNetworkSession::UseProxy(const std::string& proxy) {
  // Setting a proxy on the manager also retires the system proxy factory.
  if (std::optional<QNetworkProxy> chosen = ProxyOf(proxy)) manager_->setProxy(*chosen);
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
