#include "gui/submit/SubmitWindows.h"

#include "core/app/DialogPlacement.h"
#include "core/html/HtmlDocument.h"
#include "core/net/ServiceProfile.h"
#include "core/submit/FinalConfirmPage.h"
#include "core/submit/LoginFlow.h"
#include "gui/submit/FinalConfirmDialog.h"
#include "gui/submit/YahooLoginManualDialog.h"

namespace nuvo {

CSubmitWindows::CSubmitWindows(const CServiceProfile& profile, IUserPrompt& prompt, QWidget* parent)
    : profile_(profile), prompt_(prompt), parent_(parent) {}

LoginResult CSubmitWindows::LogIn(const LoginRequest& request) {
  CLoginFlow flow(profile_.BaseUrl(ServiceRole::Login), profile_.BaseUrl(ServiceRole::Protect),
                  request.loginUrl);
  CYahooLoginManualDialog dialog(std::move(flow), request.reverify, prompt_, parent_);
  if (loginPlacement_) dialog.SetPlacement(*loginPlacement_);
  const bool loggedIn = dialog.exec() == QDialog::Accepted;
  if (loginPlacement_) *loginPlacement_ = dialog.Placement();
  if (!loggedIn) return {};
  return {true, dialog.SellerId()};
}

bool CSubmitWindows::ConfirmListing(const ConfirmationPage& page) {
  const std::optional<std::string> html = BuildFinalConfirmPage(CHtmlDocument(page.html), page.url);
  if (!html) return true;
  CFinalConfirmDialog dialog(*html, prompt_, parent_);
  if (finalConfirmPlacement_) dialog.SetPlacement(*finalConfirmPlacement_);
  const bool goOn = dialog.exec() == QDialog::Accepted;
  if (finalConfirmPlacement_) *finalConfirmPlacement_ = dialog.Placement();
  if (dialog.DontShowAgain() && confirmationOff_) confirmationOff_();
  return goOn;
}

}  // namespace nuvo
