#include "gui/net/NetworkSession.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QNetworkProxyFactory>
#include <QStandardPaths>

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

QString CNetworkSession::DefaultCookieFile() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
         QStringLiteral("/cookies.txt");
}

}  // namespace nuvo
