#include "core/batch/BatchRunner.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "core/common/Encoding.h"
#include "core/common/MessageFormat.h"
#include "core/common/MessageIds.h"
#include "core/common/PathText.h"
#include "core/common/Sha256.h"
#include "core/common/StringTable.h"
#include "core/document/NuvoDoc.h"

namespace nuvo {
namespace {

// A file larger than any listing the program opens is not read into memory for a batch either.
constexpr std::uintmax_t kMaxFileBytes = CNuvoDoc::kMaxFileMegabytes << 20;

std::optional<std::vector<std::uint8_t>> ReadBytes(const std::filesystem::path& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kMaxFileBytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
  if (static_cast<std::uintmax_t>(in.gcount()) != size) return std::nullopt;
  return bytes;
}

}  // namespace

BatchSummary Summarise(const CBatchJournal& journal) {
  BatchSummary summary;
  for (const BatchItem& item : journal.Items()) {
    switch (item.state) {
      case BatchItemState::Listed:
        ++summary.listed;
        break;
      case BatchItemState::Skipped:
        ++summary.skipped;
        break;
      case BatchItemState::Failed:
        ++summary.failed;
        break;
      case BatchItemState::Posting:
        ++summary.unknown;
        break;
      case BatchItemState::Waiting:
        ++summary.waiting;
        break;
    }
  }
  return summary;
}

CBatchRunner::CBatchRunner(CBatchJournal& journal, CListedHistory history, IBatchHost& host,
                           int waitSeconds)
    : journal_(journal), history_(std::move(history)), host_(host), waitSeconds_(waitSeconds) {}

std::optional<ListedRecord> CBatchRunner::Earlier(std::size_t index) const {
  const BatchItem& item = journal_.Items()[index];
  if (item.state == BatchItemState::Posting) {
    return ListedRecord{BatchItemState::Posting, item.auctionId, item.path};
  }
  std::optional<ListedRecord> posting;
  for (std::size_t i = 0; i < journal_.Items().size(); ++i) {
    const BatchItem& other = journal_.Items()[i];
    if (i == index || other.sha256 != item.sha256) continue;
    if (other.state == BatchItemState::Listed)
      return ListedRecord{other.state, other.auctionId, other.path};
    if (other.state == BatchItemState::Posting)
      posting = {other.state, other.auctionId, other.path};
  }
  const ListedRecord* known = history_.Find(item.sha256);
  if (known && (known->state == BatchItemState::Listed || !posting)) return *known;
  return posting;
}

bool CBatchRunner::Record(std::size_t index, BatchItemState state) {
  BatchItem& item = journal_.Item(index);
  item.state = state;
  item.time = BatchTimeNow();
  host_.ItemChanged(index, item);
  return Save();
}

bool CBatchRunner::Save() {
  if (journal_.Save()) return true;
  host_.ShowMessage(FormatMessageId(IDS_BATCH_JOURNAL_UNWRITABLE, {PathCp932(journal_.File())}));
  return false;
}

void CBatchRunner::Finish(std::size_t index, BatchItemState state, BatchStop stop) {
  Record(index, state);
  host_.ItemFinished(index, journal_.Items()[index], stop);
}

BatchStop CBatchRunner::Run() {
  // The journal names every item before the first submission, so a batch killed at once can
  // still be resumed.
  if (!Save()) return BatchStop::Failed;
  for (std::size_t index = 0; index < journal_.Items().size(); ++index) {
    if (journal_.IsDone(index)) continue;
    BatchItem& item = journal_.Item(index);
    std::optional<std::vector<std::uint8_t>> bytes = ReadBytes(item.path);
    if (!bytes) {
      item.message = FormatMessageId(IDS_BATCH_FILE_UNREADABLE, {PathCp932(item.path.filename())});
      host_.ShowMessage(item.message);
      Finish(index, BatchItemState::Failed, BatchStop::Failed);
      return BatchStop::Failed;
    }
    const std::string sha256 = Sha256Hex(*bytes);
    const bool wasPosting = item.state == BatchItemState::Posting && item.sha256 == sha256;
    if (!wasPosting && item.state == BatchItemState::Posting) {
      // The file changed since its final post: what is in it now was never sent.
      item.state = BatchItemState::Waiting;
    }
    item.sha256 = sha256;
    if (std::optional<ListedRecord> earlier = Earlier(index)) {
      if (!host_.ListAgain(item, *earlier)) {
        if (earlier->state == BatchItemState::Posting) {
          item.message = LoadString(IDS_BATCH_POSTING_UNKNOWN);
          Finish(index, BatchItemState::Posting);
        } else {
          item.auctionId = earlier->auctionId;
          item.message = FormatMessageId(IDS_BATCH_SKIPPED_LISTED, {earlier->auctionId});
          Finish(index, BatchItemState::Skipped);
        }
        continue;
      }
    }
    const BatchStop stop = SubmitItem(index, *bytes);
    if (stop != BatchStop::None) return stop;
  }
  return BatchStop::None;
}

BatchStop CBatchRunner::SubmitItem(std::size_t index, std::span<const std::uint8_t> bytes) {
  if (submitted_ && !host_.Wait(waitSeconds_)) return BatchStop::Cancelled;
  submitted_ = true;
  BatchItem& item = journal_.Item(index);
  item.auctionId.clear();
  item.message.clear();
  if (!Record(index, BatchItemState::Waiting)) return BatchStop::Failed;

  const int total = static_cast<int>(journal_.Items().size());
  const BatchSubmitResult result =
      host_.Submit(item, bytes, static_cast<int>(index) + 1, total,
                   [&] { return Record(index, BatchItemState::Posting); });
  item.auctionId = result.auctionId;
  item.message = result.message;
  if (result.outcome == BatchSubmitResult::Outcome::Listed) {
    Finish(index, BatchItemState::Listed);
    return BatchStop::None;
  }
  BatchStop stop = BatchStop::Failed;
  if (result.outcome == BatchSubmitResult::Outcome::Cancelled) stop = BatchStop::Cancelled;
  if (result.outcome == BatchSubmitResult::Outcome::LoginRequired) stop = BatchStop::LoginRequired;
  if (result.answerUnknown && item.state == BatchItemState::Posting) {
    if (item.message.empty()) item.message = LoadString(IDS_BATCH_POSTING_UNKNOWN);
    Finish(index, BatchItemState::Posting, stop);
  } else {
    Finish(index, BatchItemState::Failed, stop);
  }
  return stop;
}

}  // namespace nuvo
