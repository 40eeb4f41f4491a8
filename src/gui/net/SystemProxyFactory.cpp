#include "gui/net/SystemProxyFactory.h"

#include <utility>

namespace nuvo {
namespace {

// Proxy rules go by scheme and host (a proxy script may look at the whole address, but none
// that sellers meet sends one page of a host elsewhere than the next).
QString KeyOf(const QNetworkProxyQuery& query) {
  return QString::number(static_cast<int>(query.queryType())) + QLatin1Char(' ') +
         query.protocolTag() + QStringLiteral("://") + query.peerHostName() + QLatin1Char(':') +
         QString::number(query.peerPort());
}

}  // namespace

CSystemProxyFactory::CSystemProxyFactory(Lookup lookup, std::chrono::milliseconds lifetime)
    : lookup_(std::move(lookup)), lifetime_(lifetime) {}

QList<QNetworkProxy> CSystemProxyFactory::queryProxy(const QNetworkProxyQuery& query) {
  const QString key = KeyOf(query);
  const auto now = std::chrono::steady_clock::now();
  {
    std::lock_guard lock(mutex_);
    if (const auto found = answers_.constFind(key);
        found != answers_.constEnd() && now < found->expires)
      return found->proxies;
  }
  // The system is asked outside the lock: a proxy script may take its time.
  QList<QNetworkProxy> proxies = lookup_(query);
  std::lock_guard lock(mutex_);
  answers_.insert(key, {proxies, now + lifetime_});
  return proxies;
}

}  // namespace nuvo
