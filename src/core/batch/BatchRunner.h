#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "core/batch/BatchJournal.h"
#include "core/batch/ListedHistory.h"

// Runs a batch: takes the items of a journal that are not done, in order, and submits each one
// through the host, stopping at the first that is not listed. Before each submission it reads
// the file once, fingerprints those bytes and asks the history whether they were listed before;
// the same bytes then go to the host to be opened and submitted. The journal is saved before
// the final post of each item and again with its outcome, and no final post goes out unless
// that first save succeeded: whatever happens to the program, a later run knows which items
// may already be on the service.
namespace nuvo {

enum class BatchStop { None, Failed, Cancelled, LoginRequired };

// What the host made of one submission.
struct BatchSubmitResult {
  enum class Outcome { Listed, Failed, Cancelled, LoginRequired };
  Outcome outcome = Outcome::Failed;
  std::string auctionId;
  std::string message;  // code page 932, as the run showed it
  // The final post went out and no answer from the service arrived (a broken connection, a
  // cancel while it waited): the listing may be on the service.
  bool answerUnknown = false;
};

class IBatchHost {
 public:
  virtual ~IBatchHost() = default;

  // Opens the listing held in `bytes` (read from `item.path`) and submits it as item `index` of
  // `total` (1-based). `posting` must be called just before the final post is sent; when it
  // answers false the post must not go out.
  virtual BatchSubmitResult Submit(const BatchItem& item, std::span<const std::uint8_t> bytes,
                                   int index, int total, const std::function<bool()>& posting) = 0;
  // Waits `seconds` (maybe 0) before the next submission, counting down; false when the seller
  // cancelled. It is also where a seller's cancel between two items is noticed.
  virtual bool Wait(int seconds) = 0;
  // Whether to submit `item` although its bytes were listed before, or their final post went out
  // with no answer (`earlier.state` Posting).
  virtual bool ListAgain(const BatchItem& item, const ListedRecord& earlier) = 0;
  // Item `index` (0-based) has a new state.
  virtual void ItemChanged(std::size_t index, const BatchItem& item) = 0;
  // Item `index` is through for this run: listed, skipped, left in doubt, or it stopped the
  // batch for `stop`.
  virtual void ItemFinished(std::size_t /*index*/, const BatchItem& /*item*/, BatchStop /*stop*/) {}
  // Shows a message of the batch itself (code page 932): a file that cannot be read, a journal
  // that cannot be written.
  virtual void ShowMessage(const std::string& text) = 0;
};

// Counts of a journal's items by state.
struct BatchSummary {
  int listed = 0;
  int skipped = 0;
  int failed = 0;
  int unknown = 0;  // left in "posting"
  int waiting = 0;
};

BatchSummary Summarise(const CBatchJournal& journal);

class CBatchRunner {
 public:
  // `history` holds the other journals; this batch's own items are consulted as they change.
  CBatchRunner(CBatchJournal& journal, CListedHistory history, IBatchHost& host, int waitSeconds);

  // Submits every item that is not done; returns why it stopped, None when it went through.
  BatchStop Run();

 private:
  // The earlier record of the bytes of item `index`: this journal's own items first.
  std::optional<ListedRecord> Earlier(std::size_t index) const;
  // Records item `index` as `state` and saves; false (with the message shown) when the journal
  // could not be written.
  bool Record(std::size_t index, BatchItemState state);
  // Saves the journal; false (with the message shown) when it could not be written.
  bool Save();
  // Records the last state of item `index` in this run and tells the host.
  void Finish(std::size_t index, BatchItemState state, BatchStop stop = BatchStop::None);
  BatchStop SubmitItem(std::size_t index, std::span<const std::uint8_t> bytes);

  CBatchJournal& journal_;
  CListedHistory history_;
  IBatchHost& host_;
  int waitSeconds_;
  bool submitted_ = false;  // a submission went out in this run: the next one waits first
};

}  // namespace nuvo
