#pragma once

#include <string>

#include "core/common/UserPrompt.h"
#include "core/html/Charset.h"

// What a submission run needs from whoever started it: a place for its status line and caption,
// a way to show its one closing message (with a link where the message offers one) and to ask
// questions, and the two windows that need the seller: the login page and the service's
// confirmation page. The desktop program answers with its progress dialog and message boxes,
// nuvo-cli with standard error and its --yes switch, tests with fakes.
namespace nuvo {

// A message that ends a run. Texts are code page 932.
struct SubmitMessage {
  SubmitMessage() = default;
  SubmitMessage(int messageId, std::string text, std::string linkUrl = {},
                std::string linkCaption = {}, PromptIcon icon = PromptIcon::Default)
      : messageId(messageId),
        text(std::move(text)),
        linkUrl(std::move(linkUrl)),
        linkCaption(std::move(linkCaption)),
        icon(icon) {}

  int messageId = 0;  // the string table id of the message's first text
  std::string text;
  std::string linkUrl;  // an address to offer for opening; empty when none
  std::string linkCaption;
  PromptIcon icon = PromptIcon::Default;
};

// Where the run landed on the login host.
struct LoginRequest {
  std::string loginUrl;   // the login page to open, leading back to the service once logged in
  std::string doneUrl;    // the address that means the login succeeded
  bool reverify = false;  // the service asks the logged-in seller for the password again
};

// How the login window ended.
struct LoginResult {
  bool loggedIn = false;
  std::string sellerId;  // the ID the seller typed there; empty when the page did not say
};

// The service's answer to the filled sell form: what will be listed, with the fees.
struct ConfirmationPage {
  std::string url;
  std::string html;  // the page as received
  Charset charset = Charset::kNone;
};

// The host's questions go through IUserPrompt; the HTTP client shows its transport failures
// there too.
class ISubmitHost : public IUserPrompt {
 public:
  // The status line: what the run is doing now.
  virtual void SetStatus(const std::string& text) = 0;
  // The run's caption, with the seller ID once it is known and the listing mode.
  virtual void SetCaption(const std::string& text) = 0;
  // Shows the message that ends the run, or the completion notice.
  virtual void ShowSubmitMessage(const SubmitMessage& message) = 0;

  // The run has landed on the login host. When the seller logged in, the run is started once
  // more, as the seller ID typed there. A host that cannot show the login page leaves the run at
  // "login required".
  virtual LoginResult LogIn(const LoginRequest& /*request*/) { return {}; }
  // Shows the service's confirmation page before the final post; false cancels the run. A host
  // without such a window lets the run go on.
  virtual bool ConfirmListing(const ConfirmationPage& /*page*/) { return true; }
};

}  // namespace nuvo
