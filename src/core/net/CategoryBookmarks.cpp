#include "core/net/CategoryBookmarks.h"

#include <algorithm>
#include <cstdio>

namespace nuvo {
namespace {

constexpr int kMaxEntries = 999;  // the keys have room for three digits

std::string NumberedKey(const char* format, int number) {
  char key[32];
  std::snprintf(key, sizeof key, format, number);
  return key;
}

}  // namespace

void CCategoryBookmarks::Load(const CAppComm& app) {
  entries_.clear();
  savedCount_ =
      std::clamp(app.GetProfileInt(kCategoryDialogSection, "CategoryNum", 0), 0, kMaxEntries);
  for (int i = 1; i <= savedCount_; ++i) {
    CategoryItem item{
        app.GetProfileInt(kCategoryDialogSection, NumberedKey("Category%03d", i), 0),
        app.GetProfileString(kCategoryDialogSection, NumberedKey("CategoryName%03d", i))};
    // An entry without a number cannot be chosen; leave it out rather than offer it.
    if (item.id > 0) entries_.push_back(std::move(item));
  }
}

void CCategoryBookmarks::Save(CAppComm& app) const {
  const int count = static_cast<int>(entries_.size());
  app.WriteProfileInt(kCategoryDialogSection, "CategoryNum", count);
  for (int i = 1; i <= std::max(count, savedCount_); ++i) {
    const bool present = i <= count;
    app.WriteProfileInt(kCategoryDialogSection, NumberedKey("Category%03d", i),
                        present ? entries_[i - 1].id : 0);
    app.WriteProfileString(kCategoryDialogSection, NumberedKey("CategoryName%03d", i),
                           present ? entries_[i - 1].name : std::string());
  }
}

bool CCategoryBookmarks::Add(const CategoryItem& item) {
  if (entries_.size() >= kMaxEntries ||
      std::any_of(entries_.begin(), entries_.end(),
                  [&](const CategoryItem& entry) { return entry.id == item.id; })) {
    return false;
  }
  entries_.push_back(item);
  return true;
}

void CCategoryBookmarks::Remove(std::size_t index) {
  if (index < entries_.size()) entries_.erase(entries_.begin() + static_cast<long>(index));
}

}  // namespace nuvo
