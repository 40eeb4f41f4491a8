#include "core/net/SearchKeywords.h"

#include <algorithm>

#include "core/net/CategoryBookmarks.h"

namespace nuvo {

void CSearchKeywords::Load(const CAppComm& app) {
  entries_.clear();
  for (int i = 1; i <= kMaxEntries; ++i) {
    std::string words = app.GetProfileString(kCategoryDialogSection, "Keyword" + std::to_string(i));
    if (words.empty()) break;
    entries_.push_back(std::move(words));
  }
}

void CSearchKeywords::Save(CAppComm& app) const {
  for (int i = 1; i <= kMaxEntries; ++i) {
    const bool present = i <= static_cast<int>(entries_.size());
    app.WriteProfileString(kCategoryDialogSection, "Keyword" + std::to_string(i),
                           present ? entries_[i - 1] : std::string());
  }
}

void CSearchKeywords::Add(const std::string& words) {
  if (words.find_first_not_of(" \t") == std::string::npos) return;
  std::erase(entries_, words);
  entries_.insert(entries_.begin(), words);
  if (entries_.size() > kMaxEntries) entries_.resize(kMaxEntries);
}

}  // namespace nuvo
