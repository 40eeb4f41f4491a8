#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/net/ServiceProfile.h"
#include "core/submit/FieldSet.h"
#include "core/submit/PhotoUpload.h"
#include "core/submit/SubmitHost.h"
#include "core/submit/SubmitSession.h"
#include "core/submit/SubmitSettings.h"

// One submission of one listing: walks the service's sell pages from the first page through the
// category, the sell form, the photos and the confirmation page to the final post, each step a
// function that reads the current page and names the next step or stops the run with one
// message. It never touches the listing it was built from. Owns its web session and the field
// set of the run.
namespace nuvo {

// What is submitted, taken from the listing before the run starts.
struct SubmitListing {
  CFieldSet fields;  // the listing's own values, the common settings merged in
  std::vector<SubmitPhoto> photos;
  std::string title;         // named in the completion message
  std::string categoryPath;  // named in messages; empty when unknown
  std::int32_t category = 0;
  // The description holds the placeholder for the seller's ID.
  bool sellerIdPlaceholder = false;
  // The size and weight texts matched against the sell form's choices; empty leaves them.
  std::string sizeText;
  std::string weightText;
};

struct SubmitRunOptions {
  bool easyTrade = true;
  // Stop at the service's confirmation page: nothing is listed.
  bool dryRun = false;
  // 1-based position and count in a batch; a total of 0 is a single run.
  int batchIndex = 0;
  int batchTotal = 0;
  // Called just before the final post is sent: from then on the listing may be on the service
  // whatever the run learns afterwards (a batch writes its journal here). When it answers false
  // the post does not go out and the run ends cancelled.
  std::function<bool()> beforeFinalPost;
  // The seller's ID when a login before this run told it; the caption shows it from the start.
  std::string sellerId;
};

enum class SubmitOutcome { Completed, Confirmed, Failed, Cancelled, LoginRequired };

// "completed", "confirmed", "failed", "cancelled", "login-required".
std::string_view OutcomeName(SubmitOutcome outcome);

enum class SubmitStep {
  Preparation,
  FirstPage,
  ClassicForm,
  Category,
  PageAnalysis,
  SellForm,
  Photos,
  Fill,
  Confirmation,
  FinalPost,
  Finished,
};

// "preparation", "first-page", ... as nuvo-cli reports the steps taken.
std::string_view StepName(SubmitStep step);

class CSubmitRun {
 public:
  CSubmitRun(IHttpTransport& transport, ISubmitHost& host, const CServiceProfile& profile,
             const CSubmitSettings& settings, SubmitListing listing, SubmitRunOptions options);
  CSubmitRun(const CSubmitRun&) = delete;
  CSubmitRun& operator=(const CSubmitRun&) = delete;

  // Runs every step; a second call does nothing and answers the first outcome.
  SubmitOutcome Run();
  // Stops the run at its next step, and the request under way at once. Safe to call from the
  // host while a request waits.
  void Cancel();

  SubmitOutcome Outcome() const { return outcome_; }
  // The seller ID read from the sell page; empty when the page did not show it.
  const std::string& SellerId() const { return sellerId_; }
  // The new auction's ID as the completion page names it; empty otherwise.
  const std::string& AuctionId() const { return auctionId_; }
  // The run's closing message as shown (empty when it completed without one, or when the HTTP
  // client showed the failure itself).
  const std::string& Message() const { return message_; }
  const std::vector<SubmitStep>& Steps() const { return steps_; }
  // The seller logged in when the run met the login host: the caller should run again.
  bool LoginAgainRequested() const { return loginAgain_; }
  // The field set the run filled the sell form with.
  const CFieldSet& Fields() const { return fields_; }

 private:
  // A step's verdict: the next step, or the end with an outcome (and maybe a message).
  struct Next {
    SubmitStep step = SubmitStep::Finished;
    SubmitOutcome outcome = SubmitOutcome::Failed;
  };

  Next Prepare();
  Next OpenFirstPage();
  Next OpenClassicForm();
  Next PostCategory();
  Next AnalysePage();
  Next CheckSellForm();
  Next SendPhotos();
  Next FillForm();
  Next Confirm();
  Next PostFinal();

  // A request's landing: false ends the run (diversion, transport failure or cancel) and sets
  // `stop`.
  bool Landed(bool ok, Next& stop);
  Next Stop(SubmitMessage message);
  Next Stop(int id, std::initializer_list<MessageArg> args = {}, bool withLink = false);
  Next Quiet(SubmitOutcome outcome = SubmitOutcome::Failed);
  Next Cancelled();
  Next Go(SubmitStep step) { return {step, SubmitOutcome::Failed}; }
  Next End(SubmitOutcome outcome) { return {SubmitStep::Finished, outcome}; }

  void UpdateCaption();
  void ReadSellerId();
  void NormaliseFields(const CHtmlNode* sellForm);
  const CHtmlNode* FindSellForm() const;
  std::string ModeName(bool easyTrade) const;
  void ReadAuctionId();

  CSubmitSession session_;
  ISubmitHost& host_;
  const CServiceProfile& profile_;
  const CSubmitSettings& settings_;
  SubmitListing listing_;
  SubmitRunOptions options_;
  CFieldSet fields_;

  std::string findType_;
  unsigned pageFlags_ = 0;
  std::string finalUrl_;
  std::string sellerId_;
  std::string auctionId_;
  std::string message_;
  std::vector<SubmitStep> steps_;
  SubmitOutcome outcome_ = SubmitOutcome::Failed;
  bool started_ = false;
  bool cancelled_ = false;
  bool loginAgain_ = false;
};

}  // namespace nuvo
