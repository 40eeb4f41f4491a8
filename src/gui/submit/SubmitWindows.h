#pragma once

#include <functional>
#include <string>

#include "core/submit/SubmitHost.h"

class QWidget;

namespace nuvo {

class CDialogPlacement;
class CServiceProfile;

// The two windows of a submission run that need the seller: the login dialog when the run lands
// on the login host, and the final confirmation dialog before the listing is posted. The shell's
// submission host hands its LogIn and ConfirmListing to this. Nothing here is owned but the
// dialogs while they are open.
class CSubmitWindows {
 public:
  // Called when the seller asked not to see the final confirmation again, as the dialog closes.
  using FinalConfirmationOff = std::function<void()>;

  CSubmitWindows(const CServiceProfile& profile, IUserPrompt& prompt, QWidget* parent = nullptr);

  void SetFinalConfirmationOff(FinalConfirmationOff off) { confirmationOff_ = std::move(off); }
  // Where the two dialogs open, and where they are remembered as they close; without these
  // they open over the parent at their first size and forget where they were left.
  void SetPlacements(CDialogPlacement& login, CDialogPlacement& finalConfirm) {
    loginPlacement_ = &login;
    finalConfirmPlacement_ = &finalConfirm;
  }

  // Shows the login dialog on the request's login page. The seller logged in when the target
  // was reached or the manual button said so; the ID typed on the way comes with the answer.
  LoginResult LogIn(const LoginRequest& request);
  // Shows the confirmation page; true to post the listing. A page the rewrite does not know as
  // the confirmation page is not shown, and the run goes on to the service's own checks.
  bool ConfirmListing(const ConfirmationPage& page);

 private:
  const CServiceProfile& profile_;
  IUserPrompt& prompt_;
  QWidget* parent_;
  FinalConfirmationOff confirmationOff_;
  CDialogPlacement* loginPlacement_ = nullptr;
  CDialogPlacement* finalConfirmPlacement_ = nullptr;
};

}  // namespace nuvo
