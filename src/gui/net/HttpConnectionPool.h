#pragma once

#include <QElapsedTimer>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace nuvo {

// A connection to a server, or to the plain HTTP proxy that reaches it (which is then asked for
// whole addresses).
struct HttpConnection {
  std::unique_ptr<QTcpSocket> socket;
  std::optional<QNetworkProxy> httpProxy;
};

// The open connections that no request is using, each kept for the next request to the same
// server, for a while. A connection that the server has closed meanwhile (looked at just before
// it is handed out), or that holds bytes nobody asked for, is dropped instead.
class CHttpConnectionPool {
 public:
  // An open connection for `key` (a scheme, host and port), or one without a socket.
  HttpConnection Take(const std::string& key);
  // Keeps `connection`, whose last response has been read whole.
  void Give(const std::string& key, HttpConnection connection);

 private:
  struct Idle {
    std::string key;
    HttpConnection connection;
    QElapsedTimer since;
  };

  std::vector<Idle> idle_;
};

}  // namespace nuvo
