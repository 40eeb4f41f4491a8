#pragma once

#include <string>
#include <string_view>
#include <vector>

// How the sandbox is to behave until it is reset: whether a login is needed, where the landing
// page diverts, which fields the sell form flags, how the final post ends, which form kind it
// serves, which notices and page parts its pages carry, and the faults it injects. Read from the
// JSON that POST /__sandbox/scenario carries.
namespace nuvo::sandbox {

// One injected fault: on the `nth` request (1-based) of `step`, instead of the page.
struct Fault {
  enum class Kind { Status, Reset, Close, Truncate, Delay, RedirectChain, RedirectLoop };
  std::string step;
  int nth = 1;
  Kind kind = Kind::Status;
  int status = 500;  // Status: the HTTP status answered
  int delayMs = 0;   // Delay: how long the page waits (then it is served normally)
  int count = 3;     // RedirectChain: how many redirects before the page
};

struct Scenario {
  bool loginRequired = false;
  // "", "no_right", "seller_info", "free_member" or "reverify".
  std::string diversion;
  // The login pages: "plain", "captcha" (a picture check after the first post), "cushion" (a
  // page between login and the target) or "protect" (a security notice on the protect host).
  std::string loginKind = "plain";
  // Sell-form fields the next preview post reports as wrong, whatever they hold.
  std::vector<std::string> formErrors;
  // The final post: "completed", "failed" or "refused" (too many accesses).
  std::string outcome = "completed";
  bool easyTrade = false;
  // The update server's reply word and the classic-form search type it names.
  std::string updateReply = "ok";
  std::string findType = "find_all";
  // A notice of the service: "", "closed_to_normal", "new_method_button", "open_dialog",
  // "seller_registration" or
  // "service_message" (which also puts the service's own message on the landing page).
  std::string notice;
  // Where the photo button sits, which page parts are left out, how error pages state their
  // reason and how the completion page shows itself (see PageChoices).
  std::string photoButton = "plain";
  std::vector<std::string> omitted;
  std::string errorPage = "head";
  std::string completion = "full";
  std::vector<Fault> faults;
};

// The scenario of `json`, or false with the reason (UTF-8) in `why`. Unknown keys are refused so
// that a misspelt scenario never passes as the default one.
bool ParseScenario(std::string_view json, Scenario& scenario, std::string& why);

// The step names faults may name, in the order of the listing flow.
const std::vector<std::string_view>& StepNames();

}  // namespace nuvo::sandbox
