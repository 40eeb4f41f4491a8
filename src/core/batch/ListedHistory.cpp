#include "core/batch/ListedHistory.h"

#include <system_error>

namespace nuvo {

CListedHistory CListedHistory::Read(const std::filesystem::path& folder,
                                    const std::filesystem::path& except) {
  CListedHistory history;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (!entry.is_regular_file(error) || entry.path().extension() != ".txt") continue;
    if (!except.empty() && std::filesystem::equivalent(entry.path(), except, error)) continue;
    if (std::optional<CBatchJournal> journal = CBatchJournal::Load(entry.path())) {
      for (const BatchItem& item : journal->Items()) history.Note(item);
    }
  }
  return history;
}

void CListedHistory::Note(const BatchItem& item) {
  if (item.sha256.empty()) return;
  if (item.state != BatchItemState::Listed && item.state != BatchItemState::Posting) return;
  const ListedRecord record{item.state, item.auctionId, item.path};
  auto [known, added] = records_.try_emplace(item.sha256, record);
  if (!added && known->second.state != BatchItemState::Listed) known->second = record;
}

const ListedRecord* CListedHistory::Find(const std::string& sha256) const {
  const auto found = records_.find(sha256);
  return found == records_.end() ? nullptr : &found->second;
}

}  // namespace nuvo
