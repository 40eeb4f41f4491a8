#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/common/UserPrompt.h"
#include "core/html/Charset.h"
#include "core/net/HttpTransport.h"

// The program's HTTP client: fetches pages and posts forms one request at a time, follows
// redirects itself, tries once more after a passing network failure when asked to, and lets the
// user retry a failure. It keeps the address and the response of its last request.
namespace nuvo {

class CFormData;

// Hears what a client is doing, for progress windows. Every notice is optional.
class IHttpStatusSink {
 public:
  virtual ~IHttpStatusSink() = default;
  virtual void OnRequestStart(const std::string& /*url*/) {}
  // The failed request is about to be sent once more without asking.
  virtual void OnAutomaticRetry() {}
  // `total` bytes of the response body have arrived so far.
  virtual void OnReceived(std::size_t /*total*/) {}
};

// One client per use; it owns the state of its last request and links to a transport, a prompt
// and a status sink that outlive it.
class CHttpClient {
 public:
  // A request gives up at the twentieth redirect in a row: nineteen are followed.
  static constexpr int kMaxRedirects = 20;

  // `prompt` shows the client's failures and asks whether to retry; without one the client
  // fails silently.
  explicit CHttpClient(IHttpTransport& transport, IUserPrompt* prompt = nullptr);
  CHttpClient(const CHttpClient&) = delete;
  CHttpClient& operator=(const CHttpClient&) = delete;

  // One GET (empty body) or POST of `body` to `url`, resolved against the current address.
  // `headers` are "Name: value" lines ending in CR LF, sent with a POST only (default: the
  // URL-encoded form type). `depth` counts the redirects followed so far. True on success; false
  // on failure (already shown to the user unless quiet) or when cancelled.
  bool Request(const std::string& url, const HttpBody& body = {}, const std::string& headers = {},
               bool retryOnce = false, int depth = 0);
  bool Get(const std::string& url, bool retryOnce = false) {
    return Request(url, {}, {}, retryOnce);
  }
  bool Post(const std::string& url, std::string_view body, bool retryOnce = false) {
    return Request(url, body, {}, retryOnce);
  }
  bool Post(const std::string& url, const CFormData& form, bool retryOnce = false);
  // Posts a multipart body; `contentType` is the header line of the form that built it.
  bool PostMultipart(const std::string& url, const HttpBody& body, const std::string& contentType,
                     bool retryOnce = false) {
    return Request(url, body, contentType, retryOnce);
  }

  // `url` resolved against the current address.
  std::string ResolveUrl(const std::string& url) const;

  const std::string& CurrentUrl() const { return currentUrl_; }
  void SetCurrentUrl(std::string url) { currentUrl_ = std::move(url); }
  // The body of the last response as received, each lone LF made CR LF.
  const std::string& ResponseText() const { return response_; }
  unsigned StatusCode() const { return status_; }
  Charset ResponseCharset() const { return charset_; }
  std::uint32_t LastNetError() const { return lastNetError_; }

  // Stops the running request at its next step; the request then returns false quietly.
  void Cancel() { cancel_ = true; }
  bool IsCancelled() const { return cancel_; }

  // The agent kind (0 the program's, 1 the browser's; new clients take the process default) and
  // the program agent's product name.
  void SetUserAgentKind(int kind);
  void SetUserAgentName(std::string name);
  const std::string& UserAgent();

  // A quiet client shows nothing; its owner reports failures itself.
  void SetQuiet(bool quiet) { quiet_ = quiet; }
  void SetPrompt(IUserPrompt* prompt) { prompt_ = prompt; }
  void SetStatusSink(IHttpStatusSink* sink) { sink_ = sink; }
  void SetTimeouts(const HttpTimeouts& timeouts) { timeouts_ = timeouts; }

 private:
  struct Attempt;
  Attempt Perform(const std::string& url, const HttpBody& body, const std::string& headers);
  void ReadResponse(IHttpExchange& exchange, Attempt& attempt);
  void NetFailure(const NetError& error, Attempt& attempt);
  void Show(int id);

  IHttpTransport& transport_;
  IUserPrompt* prompt_;
  IHttpStatusSink* sink_ = nullptr;
  HttpTimeouts timeouts_;
  bool quiet_ = false;
  bool busy_ = false;
  std::atomic<bool> cancel_{false};

  std::string currentUrl_;
  std::string response_;
  unsigned status_ = 0;
  Charset charset_ = Charset::kNone;
  std::uint32_t lastNetError_ = 0;

  int agentKind_;
  std::string agentName_;
  std::string agentText_;
};

}  // namespace nuvo
