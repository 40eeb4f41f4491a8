#include "core/net/HttpClient.h"

#include <algorithm>
#include <cctype>

#include "core/common/StringTable.h"
#include "core/net/FormData.h"
#include "core/net/HttpUrl.h"
#include "core/net/UserAgent.h"

namespace nuvo {

struct CHttpClient::Attempt {
  enum Result { kDone, kRedirect, kFailed, kNotHttp, kBusy };
  Result result = kDone;
  std::string location;  // the redirect target
  std::string detail;    // what went wrong, for the user
  bool serverError = false;
  bool transient = false;  // a network failure that may pass when tried again
};

namespace {

constexpr std::size_t kReadBlock = 4096;
constexpr char kFormContentType[] = "Content-type: application/x-www-form-urlencoded\r\n";

std::string_view Trim(std::string_view text) {
  const auto space = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!text.empty() && space(text.front())) text.remove_prefix(1);
  while (!text.empty() && space(text.back())) text.remove_suffix(1);
  return text;
}

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

// "Name: value" lines; a header named twice keeps its first value, as when each line is added
// only if the request has no header of that name yet.
std::vector<std::pair<std::string, std::string>> ParseHeaders(std::string_view text) {
  std::vector<std::pair<std::string, std::string>> headers;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    const std::string_view name = Trim(line.substr(0, colon));
    if (name.empty()) continue;
    const bool known = std::any_of(headers.begin(), headers.end(), [&](const auto& header) {
      return SameName(header.first, name);
    });
    if (!known) headers.emplace_back(name, Trim(line.substr(colon + 1)));
  }
  return headers;
}

bool IsRedirect(unsigned status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// Every LF that does not already end a CR LF becomes CR LF.
std::string WithCrLf(const std::string& text) {
  std::string result;
  result.reserve(text.size() + text.size() / 32);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) result += '\r';
    result += text[i];
  }
  return result;
}

std::string WithoutCrLf(std::string text) {
  std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
  return text;
}

}  // namespace

CHttpClient::CHttpClient(IHttpTransport& transport, IUserPrompt* prompt)
    : transport_(transport), prompt_(prompt), agentKind_(DefaultUserAgentKind()) {}

std::string CHttpClient::ResolveUrl(const std::string& url) const {
  return nuvo::ResolveUrl(currentUrl_, url);
}

void CHttpClient::SetUserAgentKind(int kind) {
  agentKind_ = kind;
  agentText_.clear();
}

void CHttpClient::SetUserAgentName(std::string name) {
  agentName_ = std::move(name);
  agentText_.clear();
}

const std::string& CHttpClient::UserAgent() {
  if (agentText_.empty()) GetUserAgent(agentText_, agentKind_, agentName_);
  return agentText_;
}

bool CHttpClient::Post(const std::string& url, const CFormData& form, bool retryOnce) {
  return Request(url, form.BuildUrlEncoded(), {}, retryOnce);
}

bool CHttpClient::Request(const std::string& url, const HttpBody& body, const std::string& headers,
                          bool retryOnce, int depth) {
  std::string target = url;
  for (;;) {
    const Attempt attempt = Perform(target, body, headers);
    if (attempt.result == Attempt::kBusy || cancel_) return false;
    // Trying again asks for the address this attempt resolved.
    target = currentUrl_;
    switch (attempt.result) {
      case Attempt::kDone:
        return true;
      case Attempt::kRedirect: {
        if (depth + 1 >= kMaxRedirects) {
          Show(IDS_TOO_MANY_REDIRECTS);
          return false;
        }
        // 307 and 308 ask for the same request at the new address; the others for a GET.
        if (status_ == 307 || status_ == 308) {
          return Request(attempt.location, body, headers, retryOnce, depth + 1);
        }
        return Request(attempt.location, {}, {}, retryOnce, depth + 1);
      }
      case Attempt::kNotHttp:
        Show(IDS_NOT_HTTP_URL);
        return false;
      case Attempt::kBusy:
      case Attempt::kFailed:
        break;
    }
    if (retryOnce && attempt.transient) {
      retryOnce = false;
      if (sink_) sink_->OnAutomaticRetry();
      continue;
    }
    if (quiet_ || !prompt_) return false;
    PromptRequest ask;
    if (attempt.detail.empty()) {
      ask.messageId = attempt.serverError ? IDS_SERVER_ERROR : IDS_CONNECT_FAILED;
      ask.text = LoadString(ask.messageId);
    } else {
      ask.messageId = attempt.serverError ? IDS_SERVER_ERROR_DETAIL : IDS_CONNECT_FAILED_DETAIL;
      ask.text = FormatMessageId(ask.messageId, {attempt.detail});
    }
    ask.buttons = PromptButtons::RetryCancel;
    ask.icon = PromptIcon::Exclamation;
    ask.defaultButton = 1;
    if (prompt_->Ask(ask) != PromptAnswer::Retry) return false;
  }
}

CHttpClient::Attempt CHttpClient::Perform(const std::string& url, const HttpBody& body,
                                          const std::string& headers) {
  Attempt attempt;
  // A window message dispatched while this client waits must not start a second request on it.
  if (busy_) {
    attempt.result = Attempt::kBusy;
    return attempt;
  }
  busy_ = true;
  struct Unlock {
    bool& busy;
    ~Unlock() { busy = false; }
  } unlock{busy_};

  cancel_ = false;
  charset_ = Charset::kNone;
  status_ = 0;
  lastNetError_ = 0;
  response_.clear();
  currentUrl_ = nuvo::ResolveUrl(currentUrl_, url);
  if (sink_) sink_->OnRequestStart(currentUrl_);
  if (!IsHttpUrl(currentUrl_)) {
    attempt.result = Attempt::kNotHttp;
    return attempt;
  }

  HttpRequest request;
  request.url = currentUrl_;
  request.userAgent = UserAgent();
  request.timeouts = timeouts_;
  if (body.empty()) {
    request.method = "GET";
  } else {
    request.method = "POST";
    request.headers = ParseHeaders(headers.empty() ? kFormContentType : headers);
    request.body = body;
  }

  NetError error;
  const std::unique_ptr<IHttpExchange> exchange = transport_.Open(request, cancel_, error);
  if (cancel_) return attempt;
  if (!exchange) {
    NetFailure(error, attempt);
    return attempt;
  }
  status_ = exchange->StatusCode();
  if (IsRedirect(status_)) {
    const std::string location(Trim(exchange->Header("Location").value_or(std::string())));
    if (!location.empty()) {
      attempt.result = Attempt::kRedirect;
      attempt.location = location;
      return attempt;
    }
  } else if (status_ >= 400) {
    attempt.result = Attempt::kFailed;
    attempt.serverError = true;
    attempt.detail = FormatMessageId(IDS_HTTP_STATUS, {static_cast<std::int64_t>(status_)});
    return attempt;
  }
  ReadResponse(*exchange, attempt);
  return attempt;
}

void CHttpClient::ReadResponse(IHttpExchange& exchange, Attempt& attempt) {
  charset_ = CharsetOfHtml(exchange.Header("Content-Type").value_or(std::string()));
  std::string body;
  NetError error;
  while (!cancel_ && exchange.Read(body, kReadBlock, cancel_, error)) {
    if (sink_) sink_->OnReceived(body.size());
  }
  if (cancel_) return;
  if (error.code != 0) {
    NetFailure(error, attempt);
    return;
  }
  response_ = WithCrLf(body);
}

void CHttpClient::NetFailure(const NetError& error, Attempt& attempt) {
  attempt.result = Attempt::kFailed;
  attempt.transient = IsTransientNetError(error.code);
  lastNetError_ = error.code;
  attempt.detail = WithoutCrLf(error.text) + "/" +
                   FormatMessageId(IDS_ERROR_NUMBER, {static_cast<std::int64_t>(error.code)});
}

void CHttpClient::Show(int id) {
  if (!quiet_ && prompt_) ShowMessage(*prompt_, id);
}

}  // namespace nuvo
