#include "gui/app/RecentFileList.h"

#include <algorithm>
#include <optional>
#include <string>

#include "core/common/Encoding.h"
#include "core/common/PathText.h"

namespace nuvo {
namespace {

const char kSection[] = "Recent File List";

std::string KeyOf(int index) { return "File" + std::to_string(index + 1); }

std::filesystem::path PathFromCp932(const std::string& cp932) {
  return PathFromUtf8(Utf8FromCp932(cp932));
}

std::optional<std::string> Cp932OfPath(const std::filesystem::path& path) {
  return Cp932FromUtf8(PathUtf8(path));
}

}  // namespace

void CRecentFileList::Load() {
  entries_.clear();
  for (int i = 0; i < kMaxEntries; ++i) {
    const std::string value = comm_.GetProfileString(kSection, KeyOf(i));
    if (value.empty()) break;
    entries_.push_back(PathFromCp932(value));
  }
}

void CRecentFileList::Save() {
  for (int i = 0; i < kMaxEntries; ++i) {
    std::string value;
    if (i < static_cast<int>(entries_.size())) {
      value = Cp932OfPath(entries_[static_cast<std::size_t>(i)]).value_or(std::string());
    }
    comm_.WriteProfileString(kSection, KeyOf(i), value);
  }
}

void CRecentFileList::Add(const std::filesystem::path& path) {
  if (!Cp932OfPath(path)) return;
  Remove(path);
  entries_.insert(entries_.begin(), path);
  if (entries_.size() > kMaxEntries) entries_.resize(kMaxEntries);
}

void CRecentFileList::Remove(const std::filesystem::path& path) { std::erase(entries_, path); }

}  // namespace nuvo
