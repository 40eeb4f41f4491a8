#include <gtest/gtest.h>

#include "core/app/MemorySettings.h"
#include "core/app/OptionBits.h"
#include "core/common/Encoding.h"
#include "core/document/NuvoDoc.h"
#include "core/editing/ListingSubmitter.h"
#include "gui/net/NetworkSession.h"
#include "gui/net/QtHttpTransport.h"
#include "support/SandboxProcess.h"
#include "support/ScriptedPrompt.h"
#include "support/SubmittableListing.h"
#include "support/TempDir.h"

using namespace nuvo;

namespace {

// The whole submission of one listing against nuvo-sandbox: the checks, the settings the seller
// confirms, the run over the program's own network stack and its repeat after a login. Logging
// in is the sandbox letting the seller through from then on.
class ListingSubmitterSandboxTest : public ::testing::Test,
                                    public ISubmitListingHost,
                                    public ISubmitHost {
 protected:
  ListingSubmitterSandboxTest() {
    doc.OnNewDocument();
    doc.SetDescriptInputType(CNuvoDoc::kNormalInput);
    MakeSubmittable(doc, "青いコップ");
    doc.SetStartPrice(1500);
    doc.SetCategoryId(2084005);
    options.optionValue &= ~kOptionShowFinalConfirmation;
    settings.basic.duration = 3;
    settings.basic.closingTime = 22;
    settings.markdown.toggleVal = CSubmitMarkdownSettings::kMarkdownOn;
    settings.markdown.markdownRatio = 3;
  }

  CSubmitResult Submit() {
    CListingSubmitter submitter(doc, options, *this);
    return submitter.SubmitListing(nullptr, 0, 0, [this] {
      listingsBeforeFinalPost.push_back(sandbox.Listings());
      return true;
    });
  }

  // ISubmitListingHost and ISubmitHost
  PromptAnswer Ask(const PromptRequest& request) override { return prompt.Ask(request); }
  void ShowFinding(const CSubmitFinding&) override {}
  std::optional<CCommonSubmitSettings> ConfirmSettings(ESubmitForm) override {
    ++settingsAsked;
    return settings;
  }
  void Execute(std::unique_ptr<CEditCommand> command) override {
    doc.ExecuteCommand(std::move(command));
  }
  CRunReport RunSubmission(const CSubmitSettings& runSettings, SubmitListing listing,
                           const SubmitRunOptions& runOptions) override {
    CQtHttpTransport transport(network);
    CSubmitRun run(transport, *this, sandbox.Profile(), runSettings, std::move(listing),
                   runOptions);
    run.Run();
    return CRunReport::Of(run);
  }
  void SetStatus(const std::string&) override {}
  void SetCaption(const std::string&) override {}
  void ShowSubmitMessage(const SubmitMessage& message) override {
    messages.push_back(Utf8FromCp932(message.text));
  }
  LoginResult LogIn(const LoginRequest&) override {
    ++logins;
    sandbox.SetScenario(R"({"form": "easy"})");
    return {true, ""};
  }

  SandboxProcess sandbox;
  TempDir dir;
  CNetworkSession network{QString::fromStdString((dir.path() / "cookies.txt").string())};
  CMemorySettings store;
  ScriptedPrompt prompt;
  CNuvoDoc doc{store, prompt};
  CAppOptions options;
  CCommonSubmitSettings settings{ESubmitForm::EasyTrade};
  int settingsAsked = 0;
  int logins = 0;
  std::vector<std::string> messages;
  std::vector<std::string> listingsBeforeFinalPost;
};

TEST_F(ListingSubmitterSandboxTest, AStoppingCheckSendsNothing) {
  sandbox.SetScenario(R"({"form": "easy"})");
  doc.SetStartPrice(0);
  const CSubmitResult result = Submit();
  EXPECT_EQ(result.result, ESubmitResult::Stopped);
  EXPECT_EQ(result.finding->step, "start-price");
  EXPECT_EQ(settingsAsked, 0);
  EXPECT_EQ(sandbox.Requests().find("\"path\""), std::string::npos) << sandbox.Requests();
}

TEST_F(ListingSubmitterSandboxTest, ThoughALoginTheListingArrivesWithTheConfirmedSettings) {
  sandbox.SetScenario(R"({"form": "easy", "login_required": true})");
  const CSubmitResult result = Submit();
  ASSERT_TRUE(result.Submitted()) << (messages.empty() ? "" : messages.back());
  EXPECT_EQ(result.runs, 2);
  EXPECT_EQ(logins, 1);
  EXPECT_EQ(settingsAsked, 1);  // once for the submission, not once per run
  EXPECT_FALSE(result.AuctionId().empty());

  const std::string listings = sandbox.Listings();
  EXPECT_NE(listings.find("\"title\": \"青いコップ\""), std::string::npos) << listings;
  for (const char* field : {"\"Duration\": \"3\"", "\"ClosingTime\": \"22\"", "\"markdown\": \"1\"",
                            "\"markdown_ratio\": \"20\""}) {
    EXPECT_NE(listings.find(field), std::string::npos) << field << "\n" << listings;
  }
  // The final post was announced once, while the sandbox held nothing yet.
  ASSERT_EQ(listingsBeforeFinalPost.size(), 1u);
  EXPECT_EQ(listingsBeforeFinalPost[0].find("auction_id"), std::string::npos);
}

}  // namespace
