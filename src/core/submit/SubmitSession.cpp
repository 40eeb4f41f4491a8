#include "core/submit/SubmitSession.h"

#include "core/net/PageFormData.h"

namespace nuvo {

CSubmitSession::CSubmitSession(IHttpTransport& transport, IUserPrompt& prompt)
    : client_(transport, &prompt) {}

bool CSubmitSession::Navigate(const std::string& url) { return Load(client_.Get(url)); }

bool CSubmitSession::Post(const std::string& url, const CFormData& form) {
  return Load(client_.Post(url, form));
}

bool CSubmitSession::PostMultipart(const std::string& url, const HttpBody& body,
                                   const std::string& contentType) {
  return Load(client_.PostMultipart(url, body, contentType));
}

bool CSubmitSession::Load(bool ok) {
  if (!ok) {
    page_ = CHtmlDocument();
    return false;
  }
  charset_ = client_.ResponseCharset();
  const std::string& text = client_.ResponseText();
  std::optional<std::string> converted;
  if (charset_ != Charset::kShiftJis && charset_ != Charset::kNone)
    converted = ToShiftJis(text, charset_);
  page_.Load(converted ? std::move(*converted) : text);
  return true;
}

CFormData CSubmitSession::Collect(const CHtmlNode* formElement) const {
  CFormData form(nullptr, CFormData::EncodingForPage(static_cast<int>(charset_), kFormShiftJis));
  FillFormDataFromPage(CHtmlSubDocument(formElement), form);
  return form;
}

std::string CSubmitSession::ActionOf(const CHtmlNode* formElement) const {
  std::string action;
  if (!formElement || !formElement->GetAttribute("action", action) || action.empty()) return {};
  return client_.ResolveUrl(action);
}

}  // namespace nuvo
