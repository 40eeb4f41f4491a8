#include "core/editing/ListingSubmitter.h"

#include <deque>

#include "EditingFixture.h"
#include "core/app/OptionBits.h"
#include "core/common/Encoding.h"
#include "core/common/MessageIds.h"
#include "support/ImageBytes.h"
#include "support/SubmittableListing.h"
#include "support/TempDir.h"

using namespace nuvo;

namespace {

// The routine's surroundings: questions answered from the fixture's prompt, the settings window
// answered by `settingsOk`, and runs that end as `outcomes` say, one per run.
class FakeHost : public ISubmitListingHost {
 public:
  FakeHost(CNuvoDoc& doc, ScriptedPrompt& prompt) : doc_(doc), prompt_(prompt) {}

  PromptAnswer Ask(const PromptRequest& request) override { return prompt_.Ask(request); }
  void ShowFinding(const CSubmitFinding& finding) override { shown.push_back(finding); }
  std::optional<CCommonSubmitSettings> ConfirmSettings(ESubmitForm form) override {
    ++settingsAsked;
    if (!settingsOk) return std::nullopt;
    CCommonSubmitSettings settings(form);
    settings.basic.duration = 4;
    return settings;
  }
  void Execute(std::unique_ptr<CEditCommand> command) override {
    doc_.ExecuteCommand(std::move(command));
  }
  CRunReport RunSubmission(const CSubmitSettings& settings, SubmitListing listing,
                           const SubmitRunOptions& options) override {
    durations.push_back(settings.fields.Get(CFieldSet::SlotOf("Duration")));
    descriptions.push_back(listing.fields.Get(CFieldSet::SlotOf("Description")));
    lastOptions = options;
    CRunReport report;
    if (!outcomes.empty()) {
      report = outcomes.front();
      outcomes.pop_front();
    } else {
      report.outcome = SubmitOutcome::Completed;
      report.auctionId = "x100";
    }
    if (options.beforeFinalPost) options.beforeFinalPost();
    return report;
  }

  bool settingsOk = true;
  int settingsAsked = 0;
  std::vector<CSubmitFinding> shown;
  std::vector<std::string> durations;
  std::vector<std::string> descriptions;
  std::deque<CRunReport> outcomes;
  SubmitRunOptions lastOptions;

 private:
  CNuvoDoc& doc_;
  ScriptedPrompt& prompt_;
};

class ListingSubmitterTest : public EditingTest {
 protected:
  ListingSubmitterTest() {
    doc.SetDescriptInputType(CNuvoDoc::kNormalInput);
    MakeSubmittable(doc, "腕時計");
    doc.SetStartPrice(1000);
    options.optionValue = 0;
  }

  CSubmitResult Submit(const CCommonSubmitSettings* settings = nullptr) {
    CListingSubmitter submitter(doc, options, host);
    return submitter.SubmitListing(settings);
  }

  CAppOptions options;
  FakeHost host{doc, prompt};
};

TEST_F(ListingSubmitterTest, TheConfirmedOrTheBatchsSettingsGoIntoTheRun) {
  const CSubmitResult single = Submit();
  EXPECT_TRUE(single.Submitted());
  EXPECT_EQ(single.AuctionId(), "x100");
  EXPECT_EQ(host.settingsAsked, 1);

  CCommonSubmitSettings batch(ESubmitForm::EasyTrade);
  batch.basic.duration = 6;
  int finalPosts = 0;
  CListingSubmitter submitter(doc, options, host);
  EXPECT_TRUE(submitter
                  .SubmitListing(&batch, 2, 5,
                                 [&] {
                                   ++finalPosts;
                                   return true;
                                 })
                  .Submitted());
  EXPECT_EQ(host.settingsAsked, 1);  // a batch confirmed its settings at its start
  EXPECT_EQ(host.durations, (std::vector<std::string>{"4", "6"}));
  EXPECT_EQ(host.lastOptions.batchIndex, 2);
  EXPECT_EQ(host.lastOptions.batchTotal, 5);
  EXPECT_TRUE(host.lastOptions.easyTrade);
  EXPECT_EQ(finalPosts, 1);
}

TEST_F(ListingSubmitterTest, ALoginOnTheWayEarnsExactlyOneMoreRun) {
  CRunReport login;
  login.outcome = SubmitOutcome::LoginRequired;
  login.loginAgain = true;
  login.sellerId = "seller05";
  host.outcomes = {login};
  CSubmitResult result = Submit();
  EXPECT_TRUE(result.Submitted());
  EXPECT_EQ(result.runs, 2);
  EXPECT_EQ(host.lastOptions.sellerId, "seller05") << "the ID typed at the login goes on";

  // Logged in twice and still asked: the second run's answer stands.
  host.outcomes = {login, login};
  result = Submit();
  EXPECT_EQ(result.result, ESubmitResult::LoginRequired);
  EXPECT_EQ(result.runs, 2);

  // The seller closed the login page: no second run.
  CRunReport notLoggedIn;
  notLoggedIn.outcome = SubmitOutcome::LoginRequired;
  host.outcomes = {notLoggedIn};
  result = Submit();
  EXPECT_EQ(result.result, ESubmitResult::LoginRequired);
  EXPECT_EQ(result.runs, 1);
}

TEST_F(ListingSubmitterTest, AcceptedLinksAreOneUndoableEditAndCancelStops) {
  options.optionValue = kOptionDetectUnlinkedAddresses;
  const std::string text =
      Cp932("詳細は http://example.com/a?b=1 まで、連絡は shop@example.com へ");
  doc.SetDescriptions({text});

  // Yes to the web address, No to the mail address.
  prompt.Queue(PromptAnswer::Yes);
  prompt.Queue(PromptAnswer::No);
  EXPECT_TRUE(Submit().Submitted());
  EXPECT_EQ(prompt.Ids(), (std::vector<int>{IDS_LINK_UNLINKED_ADDRESS, IDS_LINK_UNLINKED_ADDRESS}));
  ASSERT_EQ(host.shown.size(), 2u);
  EXPECT_EQ(text.substr(host.shown[0].selectionStart, host.shown[0].selectionLength),
            "http://example.com/a?b=1");
  const std::string linked = doc.GetDescriptions().at(0);
  EXPECT_NE(linked.find("<a href=http://example.com/a?b=1>"), std::string::npos) << linked;
  EXPECT_EQ(linked.find("mailto:"), std::string::npos);
  // The run was given the linked text.
  EXPECT_NE(host.descriptions.at(0).find("href=http://example.com/a?b=1>"), std::string::npos);
  doc.GetCommandHistory().Undo();
  EXPECT_EQ(doc.GetDescriptions().at(0), text);

  // Only the mail address is left to offer; cancelling it stops before the settings.
  doc.GetCommandHistory().Redo();
  prompt.requests.clear();
  prompt.Queue(PromptAnswer::Cancel);
  EXPECT_EQ(Submit().result, ESubmitResult::Cancelled);
  EXPECT_EQ(prompt.Ids(), std::vector<int>{IDS_LINK_UNLINKED_ADDRESS});
  EXPECT_EQ(doc.GetDescriptions().at(0), linked);
  EXPECT_EQ(host.settingsAsked, 1);
}

TEST_F(ListingSubmitterTest, APhotoTheListingFileNoLongerHoldsFailsTheRunBeforeItStarts) {
  TempDir dir;
  const std::filesystem::path path = dir.path() / "listing.nvd";
  doc.SetPhotos({"front.jpg"}, {{640, 480}}, {""}, {CPhotoData(JpegBytes(640, 480))});
  ASSERT_TRUE(doc.OnSaveDocument(path));
  ASSERT_TRUE(doc.OnOpenDocument(path));
  prompt.requests.clear();
  std::filesystem::resize_file(path, 100);
  const CSubmitResult result = Submit();
  EXPECT_EQ(result.result, ESubmitResult::Failed);
  EXPECT_EQ(result.runs, 0);
  EXPECT_TRUE(host.durations.empty()) << "nothing was sent";
  EXPECT_EQ(prompt.Ids(), std::vector<int>{IDS_PHOTO_UNREADABLE});
  EXPECT_NE(result.Message().find("front.jpg"), std::string::npos);
}

}  // namespace
