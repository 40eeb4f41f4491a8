#include "core/submit/LoginFlow.h"

#include <optional>

#include "core/common/AsciiCase.h"
#include "core/html/UrlCoding.h"

namespace nuvo {
namespace {

constexpr std::string_view kLoginPath = "/config/login";
constexpr std::string_view kReverifyPath = "/config/login_verify";

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

// Whether `url` is on `host` (http or https) with a path that begins with `path`. The host must
// end where the address's host ends, or "login.example" would also match "login.example.evil".
bool OnHost(std::string_view url, std::string_view host, std::string_view path) {
  for (std::string_view scheme : {"http://", "https://"}) {
    if (!StartsWithIgnoreCase(url, scheme)) continue;
    std::string_view rest = url.substr(scheme.size());
    if (!StartsWithIgnoreCase(rest, host)) return false;
    rest = rest.substr(host.size());
    if (!rest.empty() && rest.front() != '/' && rest.front() != '?' && rest.front() != '#') {
      return false;
    }
    return StartsWithIgnoreCase(rest, path);
  }
  return false;
}

// The host (and port) of a base address.
std::string HostOf(std::string_view base) {
  const std::size_t scheme = base.find("://");
  if (scheme != std::string_view::npos) base.remove_prefix(scheme + 3);
  return std::string(base.substr(0, base.find('/')));
}

}  // namespace

CLoginFlow::CLoginFlow(std::string_view loginBase, std::string_view protectBase,
                       std::string startAddress)
    : loginHost_(HostOf(loginBase)),
      protectHost_(HostOf(protectBase)),
      startAddress_(std::move(startAddress)),
      successTarget_(FindQueryValue(startAddress_, ".done").value_or(std::string())) {}

std::string CLoginFlow::StartAddress(std::string_view loginOrigin, std::string_view doneAddress) {
  std::string address(loginOrigin);
  address += kLoginPath;
  address += "?.src=auc&lg=jp&auth_lv=pw&.intl=jp&.done=";
  address += UrlEncode(doneAddress);
  return address;
}

bool CLoginFlow::IsReverification(std::string_view loginBase, std::string_view url) {
  return OnHost(url, HostOf(loginBase), kReverifyPath);
}

LoginAddressKind CLoginFlow::Classify(std::string_view url) const {
  if (EqualsIgnoreCase(url, "about:blank")) return LoginAddressKind::kBlank;
  if (OnHost(url, loginHost_, kLoginPath) || ContainsIgnoreCase(url, "/logout_logbackin/") ||
      ContainsIgnoreCase(url, "/easylogin/") || ContainsIgnoreCase(url, "/logincushion/")) {
    return LoginAddressKind::kLoginPage;
  }
  if (!protectHost_.empty() && OnHost(url, protectHost_, "")) {
    return LoginAddressKind::kProtection;
  }
  if (ContainsIgnoreCase(url, "/suppreg/")) return LoginAddressKind::kSupportRegistration;
  const std::size_t question = url.find('?');
  if (question != std::string_view::npos && ContainsIgnoreCase(url.substr(question), "suppreg")) {
    return LoginAddressKind::kSupportRegistration;
  }
  return LoginAddressKind::kOther;
}

bool CLoginFlow::IsSuccessTarget(std::string_view url) const {
  return !successTarget_.empty() && StartsWithIgnoreCase(url, successTarget_);
}

LoginNavigation CLoginFlow::OnNavigation(std::string_view url, bool mainFrame,
                                         const std::string* postedLogin) {
  if (!mainFrame) return LoginNavigation::kAllow;
  if (IsSuccessTarget(url)) return LoginNavigation::kSucceed;
  switch (Classify(url)) {
    case LoginAddressKind::kLoginPage:
      if (postedLogin) sellerId_ = *postedLogin;
      return LoginNavigation::kAllow;
    case LoginAddressKind::kBlank:
    case LoginAddressKind::kProtection:
    case LoginAddressKind::kSupportRegistration:
      return LoginNavigation::kAllow;
    case LoginAddressKind::kOther:
      break;
  }
  return LoginNavigation::kOpenOutside;
}

LoginPageState CLoginFlow::OnDocumentComplete(std::string_view url, bool hasLoginForm,
                                              bool hasCaptchaForm) const {
  // The captcha asks the user to read a picture: whatever else the page says, it waits.
  if (hasCaptchaForm) return LoginPageState::kWaiting;
  if (IsSuccessTarget(url)) return LoginPageState::kSucceeded;
  if (Classify(url) == LoginAddressKind::kLoginPage && !hasLoginForm) {
    return LoginPageState::kShowManualNotice;
  }
  return LoginPageState::kWaiting;
}

}  // namespace nuvo
