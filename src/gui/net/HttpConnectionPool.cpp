#include "gui/net/HttpConnectionPool.h"

#include <algorithm>

namespace nuvo {
namespace {

// Servers close idle connections after some seconds; one older than this is not worth trying.
constexpr qint64 kMaxIdleMs = 15000;
constexpr std::size_t kMaxIdle = 8;

}  // namespace

HttpConnection CHttpConnectionPool::Take(const std::string& key) {
  std::erase_if(idle_, [&](const Idle& idle) {
    QTcpSocket& socket = *idle.connection.socket;
    // Reading without waiting takes in a close that came since the last look.
    if (idle.key == key) socket.waitForReadyRead(0);
    return idle.since.hasExpired(kMaxIdleMs) || socket.state() != QAbstractSocket::ConnectedState ||
           socket.bytesAvailable() > 0;
  });
  const auto found =
      std::find_if(idle_.begin(), idle_.end(), [&](const Idle& idle) { return idle.key == key; });
  if (found == idle_.end()) return {};
  HttpConnection connection = std::move(found->connection);
  idle_.erase(found);
  return connection;
}

void CHttpConnectionPool::Give(const std::string& key, HttpConnection connection) {
  if (idle_.size() >= kMaxIdle) idle_.erase(idle_.begin());
  Idle idle{key, std::move(connection), {}};
  idle.since.start();
  idle_.push_back(std::move(idle));
}

}  // namespace nuvo
