#pragma once

#include <string>
#include <string_view>

// The rules of the login dialog, apart from any window: which addresses belong to the service's
// login, where a login ends, and what the dialog does with each page its browser is sent to. The
// dialog's browser asks it at every navigation and every finished page. The program never sees
// the password; the only thing it keeps from the login is the ID the user typed.
namespace nuvo {

enum class LoginAddressKind {
  kOther,
  kBlank,                // "about:blank", which the browser shows on its way
  kLoginPage,            // the login form and its steps (re-check, cushion, easy login)
  kProtection,           // the account protection pages
  kSupportRegistration,  // the pages that ask for missing registration data
};

// What the dialog does with one navigation.
enum class LoginNavigation {
  kAllow,        // the browser goes there
  kSucceed,      // the login has reached its target: stop and close the dialog with OK
  kOpenOutside,  // not part of the login: shown in a browser window of its own instead
};

// What a finished page means.
enum class LoginPageState {
  kWaiting,           // the user has something to do on this page
  kSucceeded,         // the target page is shown: close with OK
  kShowManualNotice,  // a login page with no form: point the user at the manual button
};

class CLoginFlow {
 public:
  // `loginBase` and `protectBase` are the base addresses of the login pages and the protection
  // pages ("https://host", with a port where one is needed), as the service profile gives them;
  // either scheme counts for both. `startAddress` is the page the dialog opens, and its ".done"
  // parameter the page at which the login counts as done.
  CLoginFlow(std::string_view loginBase, std::string_view protectBase, std::string startAddress);

  // The login page that leads to `doneAddress` once the user has logged in; `loginOrigin` is the
  // scheme and host of the login pages ("https://" and the login host).
  static std::string StartAddress(std::string_view loginOrigin, std::string_view doneAddress);
  // Whether `url` is the re-check of the password that the service asks for now and then.
  static bool IsReverification(std::string_view loginBase, std::string_view url);

  const std::string& StartAddress() const { return startAddress_; }
  const std::string& SuccessTarget() const { return successTarget_; }
  // The ID typed into the last login form that was sent; empty before one was.
  const std::string& SellerId() const { return sellerId_; }

  LoginAddressKind Classify(std::string_view url) const;
  bool IsSuccessTarget(std::string_view url) const;

  // A navigation of the browser to `url`. `postedLogin` is the "login" field of the form that
  // the navigation sends, when it sends one.
  LoginNavigation OnNavigation(std::string_view url, bool mainFrame,
                               const std::string* postedLogin = nullptr);
  // The browser has finished `url`; the flags say which of the service's forms the page holds.
  LoginPageState OnDocumentComplete(std::string_view url, bool hasLoginForm,
                                    bool hasCaptchaForm) const;

 private:
  std::string loginHost_;
  std::string protectHost_;
  std::string startAddress_;
  std::string successTarget_;
  std::string sellerId_;
};

}  // namespace nuvo
