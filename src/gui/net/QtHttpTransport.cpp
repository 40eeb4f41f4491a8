#include "gui/net/QtHttpTransport.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <functional>

#include "core/common/Encoding.h"
#include "core/common/StringTable.h"
#include "gui/net/HttpBodyDevice.h"

namespace nuvo {
namespace {

// How often a waiting request looks at the cancel flag and its time-out.
constexpr int kPollMs = 20;

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

std::uint32_t ErrorNumberFor(QNetworkReply::NetworkError error) {
  switch (error) {
    case QNetworkReply::TimeoutError:
      return kNetErrorTimeout;
    case QNetworkReply::HostNotFoundError:
      return kNetErrorHostNotFound;
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyNotFoundError:
      return kNetErrorCannotConnect;
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::ProxyConnectionClosedError:
      return kNetErrorConnectionReset;
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
      return kNetErrorConnectionAborted;
    case QNetworkReply::SslHandshakeFailedError:
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

// One request in flight. Owns its reply and follows the stage the exchange is in, so that each
// stage is held to its own time-out, counted from the last sign of life.
class CQtHttpExchange : public IHttpExchange {
 public:
  enum class Wait { kReady, kCancelled, kTimedOut };

  CQtHttpExchange(QNetworkReply* reply, const HttpTimeouts& timeouts)
      : reply_(reply), timeouts_(timeouts) {
    silence_.start();
    QObject::connect(reply, &QNetworkReply::uploadProgress, reply,
                     [this](qint64 sent, qint64 total) {
                       Alive(sent < total ? Stage::kSending : Stage::kAwaitingResponse);
                     });
    QObject::connect(reply, &QNetworkReply::requestSent, reply, [this] {
      if (stage_ == Stage::kConnecting) Alive(Stage::kAwaitingResponse);
    });
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply,
                     [this] { Alive(Stage::kReceiving); });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [this] { Alive(stage_); });
    QObject::connect(reply, &QNetworkReply::sslErrors, reply, [this] { sslRejected_ = true; });
  }

  ~CQtHttpExchange() override {
    if (!reply_->isFinished()) reply_->abort();
  }

  unsigned StatusCode() const override {
    return reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toUInt();
  }

  std::optional<std::string> Header(const std::string& name) const override {
    const QByteArray key = QByteArray::fromStdString(name);
    if (!reply_->hasRawHeader(key)) return std::nullopt;
    return reply_->rawHeader(key).toStdString();
  }

  bool Read(std::string& out, std::size_t max, const std::atomic<bool>& cancel,
            NetError& error) override {
    for (;;) {
      if (const qint64 available = reply_->bytesAvailable(); available > 0) {
        const QByteArray block =
            reply_->read(std::min<qint64>(available, static_cast<qint64>(max)));
        out.append(block.constData(), static_cast<std::size_t>(block.size()));
        return true;
      }
      if (reply_->isFinished()) {
        Failed(error);
        return false;
      }
      switch (WaitUntil([this] { return reply_->bytesAvailable() > 0; }, cancel)) {
        case Wait::kReady:
          break;
        case Wait::kCancelled:
          return false;
        case Wait::kTimedOut:
          Failed(error);
          return false;
      }
    }
  }

  bool HasHeaders() const {
    return reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
  }

  // Runs a local event loop until `ready` holds or the reply finishes; aborts the transfer when
  // `cancel` is set or the current stage stays silent past its time-out.
  Wait WaitUntil(const std::function<bool()>& ready, const std::atomic<bool>& cancel) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(reply_.get(), &QNetworkReply::readyRead, &loop, &QEventLoop::quit);
    QObject::connect(reply_.get(), &QNetworkReply::metaDataChanged, &loop, &QEventLoop::quit);
    QObject::connect(reply_.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    poll.start(kPollMs);
    silence_.restart();
    while (!ready() && !reply_->isFinished()) {
      if (cancel) {
        reply_->abort();
        return Wait::kCancelled;
      }
      if (silence_.hasExpired(StageTimeout())) {
        timedOut_ = true;
        reply_->abort();
        return Wait::kTimedOut;
      }
      loop.exec();
    }
    return Wait::kReady;
  }

  // Whether the reply failed in the network (not with an HTTP status); fills `error` if so.
  bool Failed(NetError& error) const {
    QNetworkReply::NetworkError code = reply_->error();
    if (timedOut_) {
      code = QNetworkReply::TimeoutError;
    } else if (sslRejected_) {
      code = QNetworkReply::SslHandshakeFailedError;
    } else if (code == QNetworkReply::NoError ||
               (HasHeaders() && code >= QNetworkReply::ContentAccessDenied)) {
      // Errors from content access up are the HTTP status the client judges for itself.
      return false;
    }
    error.code = ErrorNumberFor(code);
    error.text = TextFor(error.code, reply_->errorString());
    return true;
  }

 private:
  enum class Stage { kConnecting, kSending, kAwaitingResponse, kReceiving };

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

  std::unique_ptr<QNetworkReply> reply_;
  HttpTimeouts timeouts_;
  Stage stage_ = Stage::kConnecting;
  QElapsedTimer silence_;
  bool timedOut_ = false;
  bool sslRejected_ = false;
};

}  // namespace

std::unique_ptr<IHttpExchange> CQtHttpTransport::Open(const HttpRequest& request,
                                                      const std::atomic<bool>& cancel,
                                                      NetError& error) {
  QNetworkRequest qtRequest(ToQUrl(request.url));
  qtRequest.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
  qtRequest.setHeader(QNetworkRequest::UserAgentHeader,
                      QByteArray::fromStdString(request.userAgent));
  for (const auto& [name, value] : request.headers) {
    qtRequest.setRawHeader(QByteArray::fromStdString(name), QByteArray::fromStdString(value));
  }
  // The body is lent to Qt, not copied: Qt reads it on this thread through the reply, and hands
  // the network thread copies of each block, so the bytes need to outlive only the reply, which
  // the exchange owns. A body of one piece goes as a byte array that Qt reads in place; one of
  // several (a photo upload) through a device that reads each piece where it lies.
  QNetworkReply* reply = nullptr;
  const auto& pieces = request.body.Pieces();
  if (request.method != "POST") {
    reply = manager_.get(qtRequest);
  } else if (pieces.size() <= 1) {
    const std::string_view bytes = pieces.empty() ? std::string_view() : pieces.front();
    reply = manager_.post(
        qtRequest, QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
  } else {
    qtRequest.setHeader(QNetworkRequest::ContentLengthHeader,
                        static_cast<qulonglong>(request.body.size()));
    auto* device = new CHttpBodyDevice(request.body);
    device->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    reply = manager_.post(qtRequest, device);
    device->setParent(reply);
  }
  auto exchange = std::make_unique<CQtHttpExchange>(reply, request.timeouts);
  if (exchange->WaitUntil([&] { return exchange->HasHeaders(); }, cancel) ==
      CQtHttpExchange::Wait::kCancelled) {
    return nullptr;
  }
  if (exchange->Failed(error)) return nullptr;
  if (!exchange->HasHeaders()) {
    error.code = kNetErrorInternal;
    error.text = TextFor(error.code, reply->errorString());
    return nullptr;
  }
  return exchange;
}

}  // namespace nuvo
