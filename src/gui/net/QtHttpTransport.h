#pragma once

#include "core/net/HttpTransport.h"

class QNetworkAccessManager;

namespace nuvo {

// The HTTP client's transport on Qt's network access. It never follows a redirect itself (the
// client does), verifies every server certificate, and waits for the network in a local event
// loop so that windows stay responsive while a request runs; a set cancel flag aborts the
// transfer. Links to the access manager, which outlives it.
class CQtHttpTransport : public IHttpTransport {
 public:
  explicit CQtHttpTransport(QNetworkAccessManager& manager) : manager_(manager) {}

  std::unique_ptr<IHttpExchange> Open(const HttpRequest& request, const std::atomic<bool>& cancel,
                                      NetError& error) override;

 private:
  QNetworkAccessManager& manager_;
};

}  // namespace nuvo
