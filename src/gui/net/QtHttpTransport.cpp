#include "gui/net/QtHttpTransport.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkCookie>
#include <QSslSocket>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <functional>

#include "core/common/Encoding.h"
#include "core/common/StringTable.h"
#include "core/net/HttpResponseReader.h"
#include "gui/net/HttpConnectionPool.h"
#include "gui/net/NetworkSession.h"

namespace nuvo {
namespace {

// How often a waiting request looks at the cancel flag and its time-out.
constexpr int kPollMs = 20;
// A body is handed to the socket this much at a time, and no more than kWriteAhead of it waits
// in the socket's buffer: a photo upload never sits in memory twice.
constexpr std::size_t kWriteStep = 256 * 1024;
constexpr qint64 kWriteAhead = 1024 * 1024;

// Addresses are code page 932 bytes: the bytes that may not stand in a URL are sent
// percent-encoded as they are.
QUrl ToQUrl(const std::string& url) {
  static const char kHex[] = "0123456789ABCDEF";
  QByteArray encoded;
  encoded.reserve(static_cast<qsizetype>(url.size()));
  for (unsigned char c : url) {
    if (c < 0x21 || c >= 0x7F) {
      encoded += '%';
      encoded += kHex[c >> 4];
      encoded += kHex[c & 0xF];
    } else {
      encoded += static_cast<char>(c);
    }
  }
  return QUrl::fromEncoded(encoded, QUrl::TolerantMode);
}

bool IsHttpProxy(const QNetworkProxy& proxy) {
  return proxy.type() == QNetworkProxy::HttpProxy ||
         proxy.type() == QNetworkProxy::HttpCachingProxy;
}

std::uint32_t ErrorNumberFor(QAbstractSocket::SocketError error) {
  switch (error) {
    case QAbstractSocket::SocketTimeoutError:
    case QAbstractSocket::ProxyConnectionTimeoutError:
      return kNetErrorTimeout;
    case QAbstractSocket::HostNotFoundError:
      return kNetErrorHostNotFound;
    case QAbstractSocket::ConnectionRefusedError:
    case QAbstractSocket::ProxyConnectionRefusedError:
    case QAbstractSocket::ProxyNotFoundError:
      return kNetErrorCannotConnect;
    case QAbstractSocket::RemoteHostClosedError:
    case QAbstractSocket::ProxyConnectionClosedError:
      return kNetErrorConnectionReset;
    case QAbstractSocket::NetworkError:
    case QAbstractSocket::TemporaryError:
      return kNetErrorConnectionAborted;
    case QAbstractSocket::SslHandshakeFailedError:
    case QAbstractSocket::SslInternalError:
    case QAbstractSocket::SslInvalidUserDataError:
      return kNetErrorSecureFailure;
    default:
      return kNetErrorInternal;
  }
}

std::string TextFor(std::uint32_t code, const QString& systemText) {
  switch (code) {
    case kNetErrorTimeout:
      return LoadString(IDS_NET_TIMED_OUT);
    case kNetErrorHostNotFound:
      return LoadString(IDS_NET_HOST_NOT_FOUND);
    case kNetErrorCannotConnect:
      return LoadString(IDS_NET_CONNECTION_REFUSED);
    case kNetErrorConnectionReset:
      return LoadString(IDS_NET_CONNECTION_RESET);
    case kNetErrorConnectionAborted:
      return LoadString(IDS_NET_CONNECTION_ABORTED);
    case kNetErrorSecureFailure:
      return LoadString(IDS_CERTIFICATE_REJECTED);
    default:
      return Cp932FromUtf8(systemText.toStdString()).value_or(std::string());
  }
}

// Scheme, host and port: which requests a kept connection can carry.
std::string ConnectionKey(const QUrl& url) {
  return url.scheme().toStdString() + "://" + url.host().toStdString() + ":" +
         std::to_string(url.port(url.scheme() == QLatin1String("https") ? 443 : 80));
}

// A new connection to `url`'s server, on its way up. A plain HTTP proxy is talked to directly
// and asked for whole addresses; any other proxy (an HTTP proxy for a TLS connection too, which
// then opens a tunnel) is the socket's own.
HttpConnection Connect(const QUrl& url, const QNetworkProxy& proxy) {
  HttpConnection connection;
  if (url.scheme() == QLatin1String("https")) {
    auto socket = std::make_unique<QSslSocket>();
    QNetworkProxy tunnel = proxy;
    if (tunnel.type() == QNetworkProxy::HttpCachingProxy) tunnel.setType(QNetworkProxy::HttpProxy);
    socket->setProxy(tunnel);
    socket->connectToHostEncrypted(url.host(), static_cast<quint16>(url.port(443)));
    connection.socket = std::move(socket);
    return connection;
  }
  connection.socket = std::make_unique<QTcpSocket>();
  if (IsHttpProxy(proxy)) {
    connection.httpProxy = proxy;
    connection.socket->setProxy(QNetworkProxy::NoProxy);
    connection.socket->connectToHost(proxy.hostName(), proxy.port());
  } else {
    connection.socket->setProxy(proxy);
    connection.socket->connectToHost(url.host(), static_cast<quint16>(url.port(80)));
  }
  return connection;
}

// The request line and headers, for a connection to the server or to a plain HTTP proxy.
// `cookies` is the Cookie header's value, empty for none.
std::string RequestHead(const HttpRequest& request, const QUrl& url,
                        const std::optional<QNetworkProxy>& httpProxy, const QByteArray& cookies) {
  QByteArray target =
      httpProxy ? url.toEncoded(QUrl::RemoveUserInfo | QUrl::RemoveFragment)
                : url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
  if (target.isEmpty()) target = "/";
  std::string head = request.method + " " + target.toStdString() + " HTTP/1.1\r\n";
  head +=
      "Host: " + url.authority(QUrl::RemoveUserInfo | QUrl::FullyEncoded).toStdString() + "\r\n";
  head += "User-Agent: " + request.userAgent + "\r\n";
  head += "Accept-Language: ja\r\n";
  if (httpProxy && !httpProxy->user().isEmpty()) {
    const QByteArray credentials =
        (httpProxy->user() + QLatin1Char(':') + httpProxy->password()).toUtf8();
    head += "Proxy-Authorization: Basic " + credentials.toBase64().toStdString() + "\r\n";
  }
  if (!cookies.isEmpty()) head += "Cookie: " + cookies.toStdString() + "\r\n";
  if (request.method == "POST") {
    head += "Content-Length: " + std::to_string(request.body.size()) + "\r\n";
  }
  for (const auto& [name, value] : request.headers) head += name + ": " + value + "\r\n";
  head += "\r\n";
  return head;
}

QByteArray CookieHeader(CNetworkSession& session, const QUrl& url) {
  QByteArray header;
  for (const QNetworkCookie& cookie : session.Cookies().cookiesForUrl(url)) {
    if (!header.isEmpty()) header += "; ";
    header += cookie.toRawForm(QNetworkCookie::NameAndValueOnly);
  }
  return header;
}

// One request on one connection. Follows the stage the exchange is in, so that each stage is
// held to its own time-out, counted from the last sign of life; hands the connection back to the
// pool once its response has been read whole.
class CQtHttpExchange : public IHttpExchange {
 public:
  enum class Wait { kReady, kCancelled, kFailed };

  CQtHttpExchange(std::shared_ptr<CHttpConnectionPool> pool, std::string key,
                  HttpConnection connection, const HttpTimeouts& timeouts, bool toHead)
      : pool_(std::move(pool)),
        key_(std::move(key)),
        connection_(std::move(connection)),
        timeouts_(timeouts),
        reader_(toHead) {
    QTcpSocket* socket = connection_.socket.get();
    links_.push_back(QObject::connect(socket, &QTcpSocket::bytesWritten, socket,
                                      [this] { silence_.restart(); }));
    if (auto* tls = qobject_cast<QSslSocket*>(socket)) {
      links_.push_back(
          QObject::connect(tls, &QSslSocket::sslErrors, tls, [this] { sslRejected_ = true; }));
    }
  }

  ~CQtHttpExchange() override {
    if (connection_.socket) connection_.socket->abort();
  }

  unsigned StatusCode() const override { return reader_.Status(); }

  std::optional<std::string> Header(const std::string& name) const override {
    return reader_.Header(name);
  }

  // Waits for the connection, writes the request and waits for the response's head.
  Wait Send(const std::string& head, const HttpBody& body, const std::atomic<bool>& cancel) {
    QTcpSocket& socket = *connection_.socket;
    stage_ = Stage::kConnecting;
    const Wait connected = WaitUntil(
        [&] {
          auto* tls = qobject_cast<QSslSocket*>(&socket);
          return socket.state() == QAbstractSocket::ConnectedState && (!tls || tls->isEncrypted());
        },
        cancel);
    if (connected != Wait::kReady) return connected;
    Alive(Stage::kSending);
    socket.write(head.data(), static_cast<qint64>(head.size()));
    for (std::string_view piece : body.Pieces()) {
      while (!piece.empty()) {
        if (socket.bytesToWrite() >= kWriteAhead) {
          const Wait drained = WaitUntil(
              [&] { return socket.bytesToWrite() < kWriteAhead || reader_.HasHead(); }, cancel);
          if (drained != Wait::kReady) return drained;
          // The server answered before it had the whole body; the rest is never sent, and the
          // connection cannot carry another request.
          if (reader_.HasHead()) {
            reusable_ = false;
            return Wait::kReady;
          }
          continue;
        }
        const std::size_t step = std::min(piece.size(), kWriteStep);
        socket.write(piece.data(), static_cast<qint64>(step));
        piece.remove_prefix(step);
      }
    }
    written_ = true;
    return WaitUntil([this] { return reader_.HasHead(); }, cancel);
  }

  bool Read(std::string& out, std::size_t max, const std::atomic<bool>& cancel,
            NetError& error) override {
    for (;;) {
      if (bodyStart_ < body_.size()) {
        const std::size_t take = std::min(max, body_.size() - bodyStart_);
        out.append(body_, bodyStart_, take);
        bodyStart_ += take;
        if (bodyStart_ == body_.size()) {
          body_.clear();
          bodyStart_ = 0;
        }
        return true;
      }
      if (reader_.Done()) {
        Release();
        return false;
      }
      switch (WaitUntil([this] { return !body_.empty() || reader_.Done(); }, cancel)) {
        case Wait::kReady:
          break;
        case Wait::kCancelled:
          return false;
        case Wait::kFailed:
          Failure(error);
          return false;
      }
    }
  }

  // Runs a local event loop until `ready` holds; closes the connection when `cancel` is set or
  // the current stage stays silent past its time-out.
  Wait WaitUntil(const std::function<bool()>& ready, const std::atomic<bool>& cancel) {
    QTcpSocket* socket = connection_.socket.get();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(socket, &QTcpSocket::readyRead, &loop, &QEventLoop::quit);
    QObject::connect(socket, &QTcpSocket::bytesWritten, &loop, &QEventLoop::quit);
    QObject::connect(socket, &QTcpSocket::stateChanged, &loop, &QEventLoop::quit);
    QObject::connect(socket, &QTcpSocket::errorOccurred, &loop, &QEventLoop::quit);
    if (auto* tls = qobject_cast<QSslSocket*>(socket)) {
      QObject::connect(tls, &QSslSocket::encrypted, &loop, &QEventLoop::quit);
    }
    poll.start(kPollMs);
    silence_.restart();
    for (;;) {
      Pump();
      if (ready()) return Wait::kReady;
      if (failed_) return Wait::kFailed;
      if (cancel) {
        socket->abort();
        return Wait::kCancelled;
      }
      if (silence_.hasExpired(StageTimeout())) {
        timedOut_ = failed_ = true;
        socket->abort();
        return Wait::kFailed;
      }
      loop.exec();
    }
  }

  // The network failure that ended the exchange.
  void Failure(NetError& error) const {
    if (timedOut_) {
      error.code = kNetErrorTimeout;
    } else if (sslRejected_) {
      error.code = kNetErrorSecureFailure;
    } else if (broken_) {
      error.code = kNetErrorInternal;
      error.text = LoadString(IDS_NET_BAD_RESPONSE);
      return;
    } else {
      error.code = ErrorNumberFor(socketError_);
    }
    error.text = TextFor(error.code, errorText_);
  }

 private:
  enum class Stage { kConnecting, kSending, kAwaitingResponse, kReceiving };

  // Takes what the socket has brought in, and notices the connection's end.
  void Pump() {
    QTcpSocket& socket = *connection_.socket;
    if (stage_ == Stage::kSending && written_ && socket.bytesToWrite() == 0) {
      Alive(Stage::kAwaitingResponse);
    }
    if (const qint64 available = socket.bytesAvailable(); available > 0 && !failed_) {
      const QByteArray bytes = socket.read(available);
      Alive(Stage::kReceiving);
      if (!reader_.Feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                        body_)) {
        broken_ = failed_ = true;
        socket.abort();
        return;
      }
    }
    if (failed_ || socket.state() != QAbstractSocket::UnconnectedState ||
        socket.bytesAvailable() > 0) {
      return;
    }
    // Closed: the end of a body that runs to it, or a failure.
    reusable_ = false;
    if (reader_.End()) return;
    failed_ = true;
    socketError_ = socket.error() == QAbstractSocket::UnknownSocketError
                       ? QAbstractSocket::RemoteHostClosedError
                       : socket.error();
    errorText_ = socket.errorString();
  }

  void Release() {
    if (!connection_.socket || !reusable_ || !reader_.KeepsConnection() ||
        connection_.socket->state() != QAbstractSocket::ConnectedState) {
      return;
    }
    for (const QMetaObject::Connection& link : links_) QObject::disconnect(link);
    pool_->Give(key_, std::move(connection_));
  }

  void Alive(Stage stage) {
    stage_ = stage;
    silence_.restart();
  }

  int StageTimeout() const {
    switch (stage_) {
      case Stage::kConnecting:
        return timeouts_.connect;
      case Stage::kSending:
        return timeouts_.dataSend;
      case Stage::kAwaitingResponse:
        return timeouts_.receive;
      case Stage::kReceiving:
        break;
    }
    return timeouts_.dataReceive;
  }

  std::shared_ptr<CHttpConnectionPool> pool_;
  std::string key_;
  HttpConnection connection_;
  HttpTimeouts timeouts_;
  CHttpResponseReader reader_;
  std::string body_;  // body bytes read from the socket and not yet taken, from bodyStart_
  std::size_t bodyStart_ = 0;
  Stage stage_ = Stage::kConnecting;
  QElapsedTimer silence_;
  bool written_ = false;
  bool reusable_ = true;
  bool failed_ = false;
  bool timedOut_ = false;
  bool sslRejected_ = false;
  bool broken_ = false;
  QAbstractSocket::SocketError socketError_ = QAbstractSocket::UnknownSocketError;
  QString errorText_;
  std::vector<QMetaObject::Connection> links_;  // this exchange's own slots on the socket
};

}  // namespace

CQtHttpTransport::CQtHttpTransport(CNetworkSession& session)
    : session_(session), idle_(std::make_shared<CHttpConnectionPool>()) {}

CQtHttpTransport::~CQtHttpTransport() = default;

std::unique_ptr<IHttpExchange> CQtHttpTransport::Open(const HttpRequest& request,
                                                      const std::atomic<bool>& cancel,
                                                      NetError& error) {
  const QUrl url = ToQUrl(request.url);
  if (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")) {
    error.code = kNetErrorInternal;
    error.text = LoadString(IDS_NET_BAD_RESPONSE);
    return nullptr;
  }
  const std::string key = ConnectionKey(url);
  // A kept connection that the server closes just as it is used fails with a reset, which the
  // client tries once more on its own, on a new connection.
  HttpConnection connection = idle_->Take(key);
  if (!connection.socket) connection = Connect(url, session_.ProxyFor(url));
  const std::string head =
      RequestHead(request, url, connection.httpProxy, CookieHeader(session_, url));
  auto exchange = std::make_unique<CQtHttpExchange>(idle_, key, std::move(connection),
                                                    request.timeouts, request.method == "HEAD");
  switch (exchange->Send(head, request.body, cancel)) {
    case CQtHttpExchange::Wait::kReady:
      break;
    case CQtHttpExchange::Wait::kCancelled:
      return nullptr;
    case CQtHttpExchange::Wait::kFailed:
      exchange->Failure(error);
      return nullptr;
  }
  if (const auto setCookies = exchange->Header("Set-Cookie")) {
    session_.Cookies().setCookiesFromUrl(
        QNetworkCookie::parseCookies(QByteArray::fromStdString(*setCookies)), url);
  }
  return exchange;
}

}  // namespace nuvo
