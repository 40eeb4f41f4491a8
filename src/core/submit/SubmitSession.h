#pragma once

#include <string>
#include <string_view>

#include "core/html/HtmlDocument.h"
#include "core/net/FormData.h"
#include "core/net/HttpClient.h"

// The web session of one submission: the HTTP client with its cookies, the address the last
// request ended at and that page parsed into the program's HTML model. Every page is held in code
// page 932, whatever the service sent it in. Owns the client and the page.
namespace nuvo {

class CSubmitSession {
 public:
  CSubmitSession(IHttpTransport& transport, IUserPrompt& prompt);

  CHttpClient& Client() { return client_; }

  // GET `url` (resolved against the current page), following redirects. False on a transport
  // failure, already shown, or when cancelled.
  bool Navigate(const std::string& url);
  // Posts `form` URL-encoded to `url`, or a multipart body, and loads the reply like Navigate.
  bool Post(const std::string& url, const CFormData& form);
  bool PostMultipart(const std::string& url, const HttpBody& body, const std::string& contentType);

  const std::string& CurrentUrl() const { return client_.CurrentUrl(); }
  const CHtmlDocument& Page() const { return page_; }
  // The encoding the service sent the current page in.
  Charset PageCharset() const { return charset_; }

  // The named hidden inputs of `formElement`, in the encoding the page's forms post in.
  CFormData Collect(const CHtmlNode* formElement) const;
  // The "action" of `formElement` resolved against the current page; empty when it has none.
  std::string ActionOf(const CHtmlNode* formElement) const;

 private:
  bool Load(bool ok);

  CHttpClient client_;
  CHtmlDocument page_;
  Charset charset_ = Charset::kNone;
};

}  // namespace nuvo
