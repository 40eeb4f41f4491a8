#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The record of one batch: every file of the batch in its order, with the fingerprint of the
// bytes that were submitted, what became of it and when. The journal is written whole and
// atomically each time an item changes, so that after a crash it still says which items are
// done, which are not, and which one had its final post on the way. Listing files are never
// written by a batch; the journal is the batch's only file.
namespace nuvo {

enum class BatchItemState {
  Waiting,  // not submitted yet, or stopped before its final post
  Posting,  // the final post was sent and its answer has not been recorded
  Listed,
  Skipped,  // its bytes were listed before, so it was left alone
  Failed,
};

// "waiting", "posting", "listed", "skipped", "failed": the journal's and nuvo-cli's names.
std::string_view BatchItemStateName(BatchItemState state);

struct BatchItem {
  std::filesystem::path path;
  std::string sha256;  // of the bytes last submitted or checked; empty before that
  BatchItemState state = BatchItemState::Waiting;
  std::string auctionId;  // the new auction, or for a skipped item the earlier one
  std::string message;    // code page 932: why it failed or was skipped
  std::string time;       // UTC, "2026-12-06T01:45:00Z", of the last change
};

class CBatchJournal {
 public:
  // A new batch over `paths`, every item waiting, to be kept in `file`.
  CBatchJournal(std::filesystem::path file, const std::vector<std::filesystem::path>& paths);

  // Reads a journal written by Save. Returns nothing when the file cannot be read or is not a
  // journal; a damaged journal is never half taken.
  static std::optional<CBatchJournal> Load(const std::filesystem::path& file);
  // A file name in `folder` that no journal uses yet, made from the batch's start time.
  static std::filesystem::path NewFile(const std::filesystem::path& folder);

  // The newest journal of `folder` when it still has items waiting or failed: the batch that a
  // stop, a crash or a kill left unfinished.
  static std::optional<CBatchJournal> LatestUnfinished(const std::filesystem::path& folder);

  // Writes the whole journal in place of the old one; false when the disk refused.
  bool Save() const;

  const std::filesystem::path& File() const { return file_; }
  const std::vector<BatchItem>& Items() const { return items_; }
  BatchItem& Item(std::size_t index) { return items_[index]; }
  // An item that is neither listed nor skipped is still to be done.
  bool IsDone(std::size_t index) const;
  // The items still to submit: waiting or failed (an item in doubt is not counted).
  int CountToDo() const;

 private:
  CBatchJournal() = default;

  std::filesystem::path file_;
  std::vector<BatchItem> items_;
};

// The current time as the journal writes it.
std::string BatchTimeNow();

}  // namespace nuvo
