#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/app/AppOptions.h"
#include "core/common/UserPrompt.h"
#include "core/document/EditCommand.h"
#include "core/editing/CommonSubmitSettings.h"
#include "core/editing/SubmitChecks.h"
#include "core/submit/SubmitRun.h"

// Submitting the open listing, from the checks to the service's completion page: the checks in
// their order with their questions, the confirmation of the common settings, the sell-form values
// of the run and the run itself, run once more after the seller logged in on the way. The same
// routine serves the window's submit command, nuvo-cli submit and every item of a batch; each
// caller answers through ISubmitListingHost. Only the empty-items and link steps change the
// listing, and they do it through undoable commands.
namespace nuvo {

class CNuvoDoc;

// What one finished run of the sell pages reports back.
struct CRunReport {
  SubmitOutcome outcome = SubmitOutcome::Failed;
  // The seller logged in when the run met the login page: the submission runs once more.
  bool loginAgain = false;
  std::string message;  // code page 932, the run's closing message; empty when none
  std::string auctionId;
  std::string sellerId;
  std::vector<SubmitStep> steps;

  static CRunReport Of(const CSubmitRun& run);
};

// How a submission ended.
enum class ESubmitResult {
  Submitted,      // the listing is on the service (or, in a dry run, at its confirmation page)
  Stopped,        // a check stopped it, or the seller answered No to one; nothing was sent
  Cancelled,      // the seller cancelled the settings, the link step or the run
  LoginRequired,  // the service wants a login that did not happen
  Failed,         // the run stopped with a message
};

struct CSubmitResult {
  ESubmitResult result = ESubmitResult::Failed;
  // The finding that stopped the submission (Stopped only).
  std::optional<CSubmitFinding> finding;
  // The last run (empty when no run started). Its message is the one the seller saw.
  std::optional<CRunReport> run;
  int runs = 0;  // 2 when the run was repeated after a login

  bool Submitted() const { return result == ESubmitResult::Submitted; }
  // The auction's ID on the service; empty unless submitted.
  std::string AuctionId() const { return run ? run->auctionId : std::string(); }
  // The message the seller saw last (code page 932), empty when none.
  std::string Message() const;
};

// The submitting routine's surroundings: the desktop sheet answers with its pages, message boxes
// and progress window, nuvo-cli with standard error, --yes and the stored settings, tests with
// fakes. Questions and messages go through IUserPrompt::Ask.
class ISubmitListingHost : public IUserPrompt {
 public:
  // Brings the field a finding points at forward (tab page, row, selected text) before its
  // message is shown.
  virtual void ShowFinding(const CSubmitFinding& finding) = 0;
  // The common settings in their confirmation form; nullopt when the seller did not press OK.
  virtual std::optional<CCommonSubmitSettings> ConfirmSettings(ESubmitForm form) = 0;
  // Applies an edit to the open listing so that undo can take it back.
  virtual void Execute(std::unique_ptr<CEditCommand> command) = 0;
  // Runs the sell pages with `settings` for `listing` and reports how the run ended. The run
  // meets the login page through its own ISubmitHost::LogIn, which is where the seller logs in.
  virtual CRunReport RunSubmission(const CSubmitSettings& settings, nuvo::SubmitListing listing,
                                   const SubmitRunOptions& options) = 0;
};

class CListingSubmitter {
 public:
  // Called just before the final post of a run is sent: after it, the listing may be on the
  // service whatever the run reports. Answering false keeps the post from going out.
  using FinalPostHook = std::function<bool()>;

  CListingSubmitter(CNuvoDoc& doc, const CAppOptions& options, ISubmitListingHost& host);

  // The form the listing goes to; the easy-trade form unless told otherwise.
  void SetForm(ESubmitForm form) { form_ = form; }
  // Stop every run at the service's confirmation page: nothing is listed.
  void SetDryRun(bool dryRun) { dryRun_ = dryRun; }

  // Submits the open listing. `settings` are the common settings confirmed by a batch at its
  // start (nullptr: the seller confirms them now); `batchIndex` (1-based) and `batchCount` place
  // the item in its batch, 0 and 0 for a single submission.
  CSubmitResult SubmitListing(const CCommonSubmitSettings* settings, int batchIndex = 0,
                              int batchCount = 0, FinalPostHook beforeFinalPost = {});

 private:
  // Turns findings into focus, messages and questions; false when the submission stops.
  bool Settle(const std::vector<CSubmitFinding>& findings, CSubmitResult& result);
  // Runs the checks one after another, settling each before the next looks.
  bool SettleEach(const std::vector<SubmitCheck>& checks, CSubmitResult& result);
  // Offers a link for every address of the description written without one; false when the
  // seller cancelled.
  bool OfferLinks();

  CNuvoDoc& doc_;
  const CAppOptions& options_;
  ISubmitListingHost& host_;
  ESubmitForm form_ = ESubmitForm::EasyTrade;
  bool dryRun_ = false;
};

}  // namespace nuvo
