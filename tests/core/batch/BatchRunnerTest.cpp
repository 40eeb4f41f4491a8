#include "core/batch/BatchRunner.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "core/batch/BatchRunResult.h"
#include "support/TempDir.h"

namespace nuvo {
namespace {

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A service that lists what it is given unless told otherwise for a file name, and a seller
// whose answers the test sets.
class FakeHost : public IBatchHost {
 public:
  enum class Plan { List, Fail, LoseAnswer, NeedLogin };

  BatchSubmitResult Submit(const BatchItem& item, std::span<const std::uint8_t> bytes, int index,
                           int total, const std::function<bool()>& posting) override {
    positions.push_back({index, total});
    const std::string name = item.path.filename().string();
    submitted.push_back(name);
    journalStateBeforePost.clear();
    const Plan plan = plans.count(name) ? plans[name] : Plan::List;
    if (plan == Plan::NeedLogin) return {BatchSubmitResult::Outcome::LoginRequired, {}, {}};
    if (!posting()) return {BatchSubmitResult::Outcome::Failed, {}, {}};
    // What a crash at this moment would leave on the disk.
    if (auto journal = CBatchJournal::Load(journalFile))
      journalStateBeforePost = BatchItemStateName(journal->Items()[index - 1].state);
    if (plan == Plan::Fail) return {BatchSubmitResult::Outcome::Failed, {}, "refused"};
    if (plan == Plan::LoseAnswer) return {BatchSubmitResult::Outcome::Failed, {}, {}, true};
    posted.push_back(std::string(bytes.begin(), bytes.end()));
    return {BatchSubmitResult::Outcome::Listed, "x" + std::to_string(posted.size()), {}};
  }
  bool Wait(int seconds) override {
    waits.push_back(seconds);
    return !cancelWait;
  }
  bool ListAgain(const BatchItem&, const ListedRecord& earlier) override {
    asked.push_back(earlier.state);
    return listAgain;
  }
  void ItemChanged(std::size_t, const BatchItem&) override {}
  void ShowMessage(const std::string& text) override { shown.push_back(text); }

  std::filesystem::path journalFile;
  std::map<std::string, Plan> plans;
  bool cancelWait = false;
  bool listAgain = false;
  std::vector<std::pair<int, int>> positions;
  std::vector<std::string> submitted;
  std::vector<std::string> posted;  // the bytes that reached the service
  std::vector<int> waits;
  std::vector<BatchItemState> asked;
  std::vector<std::string> shown;
  std::string journalStateBeforePost;
};

class BatchRunnerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"a.nvd", "b.nvd", "c.nvd"})
      WriteFile(dir_.path() / name, std::string("listing ") + name);
    journals_ = dir_.path() / "journals";
  }
  std::vector<std::filesystem::path> Files(std::initializer_list<const char*> names) const {
    std::vector<std::filesystem::path> files;
    for (const char* name : names) files.push_back(dir_.path() / name);
    return files;
  }
  BatchStop Run(CBatchJournal& journal, int wait = 0) {
    host_.journalFile = journal.File();
    CBatchRunner runner(journal, CListedHistory::Read(journals_, journal.File()), host_, wait);
    return runner.Run();
  }
  std::vector<BatchItemState> States(const std::filesystem::path& file) const {
    std::vector<BatchItemState> states;
    const std::optional<CBatchJournal> journal = CBatchJournal::Load(file);
    if (!journal) return states;
    for (const BatchItem& item : journal->Items()) states.push_back(item.state);
    return states;
  }

  TempDir dir_;
  std::filesystem::path journals_;
  FakeHost host_;
};

using S = BatchItemState;

TEST_F(BatchRunnerTest, StopsAtTheFirstFailureAndResumesWithWhatIsLeftInOrder) {
  CBatchJournal journal(journals_ / "one.txt", Files({"a.nvd", "b.nvd", "c.nvd"}));
  host_.plans["b.nvd"] = FakeHost::Plan::Fail;
  EXPECT_EQ(Run(journal, 5), BatchStop::Failed);
  EXPECT_EQ(host_.submitted, (std::vector<std::string>{"a.nvd", "b.nvd"}));
  EXPECT_EQ(host_.positions, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}}));
  EXPECT_EQ(host_.waits, std::vector<int>{5});
  EXPECT_EQ(States(journals_ / "one.txt"), (std::vector<S>{S::Listed, S::Failed, S::Waiting}));
  EXPECT_EQ(CBatchJournal::Load(journals_ / "one.txt")->Items()[1].message, "refused");

  // The journal as read back from the disk drives the rest of the batch.
  std::optional<CBatchJournal> resumed = CBatchJournal::Load(journals_ / "one.txt");
  host_.plans.clear();
  host_.submitted.clear();
  EXPECT_EQ(Run(*resumed), BatchStop::None);
  EXPECT_EQ(host_.submitted, (std::vector<std::string>{"b.nvd", "c.nvd"}));
  EXPECT_EQ(host_.positions.back(), (std::pair<int, int>{3, 3}));
  EXPECT_EQ(States(journals_ / "one.txt"), (std::vector<S>{S::Listed, S::Listed, S::Listed}));
  EXPECT_EQ(host_.posted.size(), 3u);
  EXPECT_EQ(Summarise(*resumed).listed, 3);
}

TEST_F(BatchRunnerTest, KnowsListedBytesUnderAnyNameUnlessTheSellerListsThemAgain) {
  CBatchJournal first(journals_ / "one.txt", Files({"a.nvd"}));
  ASSERT_EQ(Run(first), BatchStop::None);
  std::filesystem::copy_file(dir_.path() / "a.nvd", dir_.path() / "copy.nvd");
  WriteFile(dir_.path() / "b.nvd", "changed since");

  CBatchJournal second(CBatchJournal::NewFile(journals_), Files({"copy.nvd", "b.nvd", "a.nvd"}));
  ASSERT_EQ(Run(second), BatchStop::None);
  EXPECT_EQ(host_.submitted, (std::vector<std::string>{"a.nvd", "b.nvd"}));
  EXPECT_EQ(States(second.File()), (std::vector<S>{S::Skipped, S::Listed, S::Skipped}));
  EXPECT_EQ(second.Items()[0].auctionId, "x1");
  EXPECT_EQ(host_.asked, (std::vector<S>{S::Listed, S::Listed}));

  // Asked, the seller lists it anyway.
  host_.listAgain = true;
  CBatchJournal third(CBatchJournal::NewFile(journals_), Files({"copy.nvd"}));
  ASSERT_EQ(Run(third), BatchStop::None);
  EXPECT_EQ(States(third.File()), std::vector<S>{S::Listed});
  EXPECT_EQ(host_.posted.size(), 3u);
}

TEST_F(BatchRunnerTest, AFinalPostWithoutAnAnswerIsNeverRepeatedUnasked) {
  CBatchJournal journal(journals_ / "one.txt", Files({"a.nvd", "b.nvd"}));
  host_.plans["a.nvd"] = FakeHost::Plan::LoseAnswer;
  EXPECT_EQ(Run(journal), BatchStop::Failed);
  // The journal said "posting" before the post went out.
  EXPECT_EQ(host_.journalStateBeforePost, "posting");
  EXPECT_EQ(States(journals_ / "one.txt"), (std::vector<S>{S::Posting, S::Waiting}));

  host_.plans.clear();
  std::optional<CBatchJournal> resumed = CBatchJournal::Load(journals_ / "one.txt");
  EXPECT_EQ(Run(*resumed), BatchStop::None);
  EXPECT_EQ(host_.asked, std::vector<S>{S::Posting});
  EXPECT_EQ(host_.posted.size(), 1u);
  EXPECT_EQ(States(journals_ / "one.txt"), (std::vector<S>{S::Posting, S::Listed}));

  // Another batch meeting the same bytes treats them as possibly listed too.
  CBatchJournal other(CBatchJournal::NewFile(journals_), Files({"a.nvd"}));
  EXPECT_EQ(Run(other), BatchStop::None);
  EXPECT_EQ(States(other.File()), std::vector<S>{S::Posting});
  EXPECT_EQ(host_.posted.size(), 1u);
}

TEST_F(BatchRunnerTest, CancelledWaitsAndLoginsLeaveTheItemToDo) {
  CBatchJournal journal(journals_ / "one.txt", Files({"a.nvd", "b.nvd", "c.nvd"}));
  host_.cancelWait = true;
  EXPECT_EQ(Run(journal, 3), BatchStop::Cancelled);
  EXPECT_EQ(States(journals_ / "one.txt"), (std::vector<S>{S::Listed, S::Waiting, S::Waiting}));

  host_.cancelWait = false;
  host_.plans["b.nvd"] = FakeHost::Plan::NeedLogin;
  std::optional<CBatchJournal> resumed = CBatchJournal::Load(journals_ / "one.txt");
  EXPECT_EQ(Run(*resumed, 3), BatchStop::LoginRequired);
  // The first submission of a run does not wait.
  EXPECT_EQ(host_.waits, std::vector<int>{3});
  EXPECT_EQ(resumed->IsDone(1), false);
}

TEST_F(BatchRunnerTest, NothingIsPostedWhenTheJournalCannotBeWritten) {
  WriteFile(dir_.path() / "blocker", "a file where the journal folder should be");
  CBatchJournal journal(dir_.path() / "blocker" / "one.txt", Files({"a.nvd"}));
  EXPECT_EQ(Run(journal), BatchStop::Failed);
  EXPECT_TRUE(host_.submitted.empty());
  EXPECT_EQ(host_.shown.size(), 1u);
}

TEST(BatchJournal, ReadsBackAnyPathAndMessageAndRefusesDamage) {
  TempDir dir;
  const std::filesystem::path file = dir.path() / "j.txt";
  CBatchJournal journal(file, {dir.path() / "tab\there\\n.nvd", dir.path() / "出品.nvd"});
  journal.Item(0).message = "line\r\nbreak\tand \\ slash";
  journal.Item(1).state = BatchItemState::Skipped;
  journal.Item(1).sha256 = std::string(64, 'f');
  journal.Item(1).auctionId = "b123";
  ASSERT_TRUE(journal.Save());
  std::optional<CBatchJournal> read = CBatchJournal::Load(file);
  ASSERT_TRUE(read);
  ASSERT_EQ(read->Items().size(), 2u);
  EXPECT_EQ(read->Items()[0].path, journal.Items()[0].path);
  EXPECT_EQ(read->Items()[0].message, journal.Items()[0].message);
  EXPECT_EQ(read->Items()[1].path, journal.Items()[1].path);
  EXPECT_EQ(read->Items()[1].state, BatchItemState::Skipped);
  EXPECT_EQ(read->Items()[1].auctionId, "b123");

  std::string text;
  std::getline(std::ifstream(file), text, '\0');
  for (const std::string& damaged :
       {text.substr(0, text.size() / 2), text + "x\tnot-a-state\t\t\t\t\n", "other\n" + text,
        text + "x\\q\tlisted\t\t\t\t\n"}) {
    WriteFile(file, damaged);
    EXPECT_FALSE(CBatchJournal::Load(file)) << damaged;
  }
}

// Only a final post that went out and got no page back leaves an item in doubt.
TEST(BatchRunResult, CallsAnItemInDoubtOnlyWhenItsPostWentOutUnanswered) {
  using O = BatchSubmitResult::Outcome;
  const auto read = [](SubmitOutcome outcome, std::string message, bool posted) {
    CRunReport run;
    run.outcome = outcome;
    run.message = std::move(message);
    return BatchResultOf(run, posted);
  };
  EXPECT_TRUE(read(SubmitOutcome::Failed, "", true).answerUnknown);
  EXPECT_TRUE(read(SubmitOutcome::Cancelled, "cancelled", true).answerUnknown);
  EXPECT_FALSE(read(SubmitOutcome::Failed, "not completed", true).answerUnknown);
  EXPECT_FALSE(read(SubmitOutcome::Failed, "", false).answerUnknown);
  EXPECT_EQ(read(SubmitOutcome::LoginRequired, "", false).outcome, O::LoginRequired);

  // Checks that stopped the routine before any run: nothing was sent.
  CSubmitResult stopped;
  stopped.result = ESubmitResult::Cancelled;
  EXPECT_EQ(BatchResultOf(stopped, false).outcome, O::Cancelled);
  stopped.result = ESubmitResult::Stopped;
  EXPECT_EQ(BatchResultOf(stopped, false).outcome, O::Failed);
  EXPECT_FALSE(BatchResultOf(stopped, false).answerUnknown);
}

}  // namespace
}  // namespace nuvo
