#include "core/net/CategoryHistory.h"

#include <algorithm>
#include <cstdio>

#include "core/app/DialogSettings.h"

namespace nuvo {
namespace {

std::string NumberedKey(const char* format, int number) {
  char key[32];
  std::snprintf(key, sizeof key, format, number);
  return key;
}

}  // namespace

void CCategoryHistory::Load(const CAppComm& app) {
  const std::string section = DialogSection(kSettingsId);
  entries_.clear();
  for (int i = 1; i <= kMaxEntries; ++i) {
    std::string name = app.GetProfileString(section, NumberedKey("HisCategoryName%02d", i));
    if (name.empty()) break;
    entries_.push_back({app.GetProfileInt(section, NumberedKey("HisCategory%02d", i), 0), name});
  }
}

void CCategoryHistory::Save(CAppComm& app) const {
  const std::string section = DialogSection(kSettingsId);
  for (int i = 1; i <= kMaxEntries; ++i) {
    const bool present = i <= static_cast<int>(entries_.size());
    app.WriteProfileString(section, NumberedKey("HisCategoryName%02d", i),
                           present ? entries_[i - 1].name : std::string());
    app.WriteProfileInt(section, NumberedKey("HisCategory%02d", i),
                        present ? entries_[i - 1].id : 0);
  }
}

void CCategoryHistory::Add(const CategoryItem& item) {
  std::erase(entries_, item);
  entries_.insert(entries_.begin(), item);
  if (entries_.size() > kMaxEntries) entries_.resize(kMaxEntries);
}

}  // namespace nuvo
