#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The seam between the HTTP client's rules and the network: one exchange of a request for its
// response. The shell implements it on Qt's sockets; tests fake it.
namespace nuvo {

// Network error numbers the client knows (the numbers of the Windows internet functions, which
// the program has always reported to its users).
inline constexpr std::uint32_t kNetErrorTimeout = 12002;
inline constexpr std::uint32_t kNetErrorInternal = 12004;
inline constexpr std::uint32_t kNetErrorCannotConnect = 12029;
inline constexpr std::uint32_t kNetErrorConnectionReset = 12031;
inline constexpr std::uint32_t kNetErrorConnectionAborted = 12032;
inline constexpr std::uint32_t kNetErrorHostNotFound = 12152;
inline constexpr std::uint32_t kNetErrorSecureFailure = 12175;

// Errors that usually pass by themselves, so a request may quietly try once more.
constexpr bool IsTransientNetError(std::uint32_t code) {
  return code == kNetErrorTimeout || code == kNetErrorConnectionReset ||
         code == kNetErrorConnectionAborted || code == kNetErrorHostNotFound;
}

// How long each stage of an exchange may stay silent, in milliseconds.
struct HttpTimeouts {
  int connect = 60000;      // reaching the server and sending the request line and headers
  int dataSend = 60000;     // sending the body
  int receive = 10000;      // waiting for the response once the request is sent
  int dataReceive = 60000;  // reading the response body
};

// A request body as pieces of the caller's bytes, sent one after another: a photo upload lends
// the photos themselves instead of a copy of them in one block. Links to the pieces, which stay
// the caller's.
class HttpBody {
 public:
  HttpBody() = default;
  HttpBody(std::string_view bytes) { Append(bytes); }
  HttpBody(const std::string& bytes) : HttpBody(std::string_view(bytes)) {}

  void Append(std::string_view bytes) {
    if (bytes.empty()) return;
    pieces_.push_back(bytes);
    size_ += bytes.size();
  }

  const std::vector<std::string_view>& Pieces() const { return pieces_; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  // The whole body in one block, for a transport that cannot send pieces.
  std::string Joined() const {
    std::string whole;
    whole.reserve(size_);
    for (std::string_view piece : pieces_) whole += piece;
    return whole;
  }

 private:
  std::vector<std::string_view> pieces_;
  std::size_t size_ = 0;
};

struct HttpRequest {
  std::string method;  // "GET" or "POST"
  std::string url;     // absolute http or https address
  std::string userAgent;
  std::vector<std::pair<std::string, std::string>> headers;
  // The caller's bytes, alive until the exchange that carries them is gone: a transport that
  // sends them later than that keeps its own copy. Photo uploads make this megabytes.
  HttpBody body;
  HttpTimeouts timeouts;
};

// A failure of the network itself (not an HTTP status): the error number and the system's text
// for it (code page 932).
struct NetError {
  std::uint32_t code = 0;
  std::string text;
};

// One request whose response headers have arrived; the body is read from it in blocks.
class IHttpExchange {
 public:
  virtual ~IHttpExchange() = default;
  virtual unsigned StatusCode() const = 0;
  // The value of response header `name` (any letter case), nothing when absent.
  virtual std::optional<std::string> Header(const std::string& name) const = 0;
  // Appends up to `max` bytes of the body to `out`; false at the end of the body, on a failure
  // (`error` filled) or when `cancel` is set.
  virtual bool Read(std::string& out, std::size_t max, const std::atomic<bool>& cancel,
                    NetError& error) = 0;
};

class IHttpTransport {
 public:
  virtual ~IHttpTransport() = default;
  // Sends `request` and waits for the response headers. Nothing on a failure (`error` filled)
  // or when `cancel` is set while waiting.
  virtual std::unique_ptr<IHttpExchange> Open(const HttpRequest& request,
                                              const std::atomic<bool>& cancel, NetError& error) = 0;
};

}  // namespace nuvo
