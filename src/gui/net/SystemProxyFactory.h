#pragma once

#include <QHash>
#include <QList>
#include <QNetworkProxy>
#include <QNetworkProxyFactory>
#include <QString>
#include <chrono>
#include <functional>
#include <mutex>

namespace nuvo {

// The proxy the system is set up with, for one access manager. Asking the system (libproxy, a
// proxy script) costs a round trip to another thread on every request, and one submission sends
// a dozen requests to the same few hosts; so each host's answer is kept for a short while. A
// seller who changes the system's proxy is heard from the next submission on. Owns the answers.
class CSystemProxyFactory : public QNetworkProxyFactory {
 public:
  using Lookup = std::function<QList<QNetworkProxy>(const QNetworkProxyQuery&)>;

  // How long an answer is kept: longer than one submission, short enough that a proxy switched
  // on or off is taken up without restarting the program.
  static constexpr std::chrono::milliseconds kDefaultLifetime{30'000};

  // `lookup` asks the system (by default QNetworkProxyFactory::systemProxyForQuery).
  explicit CSystemProxyFactory(Lookup lookup = &QNetworkProxyFactory::systemProxyForQuery,
                               std::chrono::milliseconds lifetime = kDefaultLifetime);

  QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override;

 private:
  struct Answer {
    QList<QNetworkProxy> proxies;
    std::chrono::steady_clock::time_point expires;
  };

  Lookup lookup_;
  std::chrono::milliseconds lifetime_;
  // The access manager asks from its own thread; a window may share the factory's manager.
  std::mutex mutex_;
  QHash<QString, Answer> answers_;
};

}  // namespace nuvo
