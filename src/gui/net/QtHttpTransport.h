#pragma once

#include <memory>

#include "core/net/HttpTransport.h"

namespace nuvo {

class CNetworkSession;
class CHttpConnectionPool;

// The HTTP client's transport on Qt's sockets: HTTP/1.1 over a QTcpSocket, or a QSslSocket that
// verifies every server certificate, through the session's proxy and with its cookie jar. The
// sockets live on the calling thread, which waits for them in a local event loop so that windows
// stay responsive; a request body is written from the caller's bytes as the socket takes it,
// with no thread between them. Connections are kept open for the next request to the same
// server. It never follows a redirect itself (the client does); a set cancel flag closes the
// connection. Links to the session, which outlives it.
class CQtHttpTransport : public IHttpTransport {
 public:
  explicit CQtHttpTransport(CNetworkSession& session);
  ~CQtHttpTransport() override;

  std::unique_ptr<IHttpExchange> Open(const HttpRequest& request, const std::atomic<bool>& cancel,
                                      NetError& error) override;

 private:
  CNetworkSession& session_;
  // Shared with the exchanges, which hand their connection back when their response is read.
  std::shared_ptr<CHttpConnectionPool> idle_;
};

}  // namespace nuvo
