#include "core/editing/FindHistory.h"

#include <algorithm>

#include "core/app/DialogSettings.h"

namespace nuvo {
namespace {

constexpr char kKeyFormat[] = "FindString%02d";

}  // namespace

CFindHistory CFindHistory::Load(CAppComm& app) {
  CFindHistory history;
  std::vector<std::string> list(kMaxEntries);
  CDialogSettings(app, kFindDialogId).GetDialogStringList(kKeyFormat, list, -1);
  for (std::string& entry : list) {
    if (entry.empty()) break;
    history.entries_.push_back(std::move(entry));
  }
  return history;
}

void CFindHistory::Save(CAppComm& app) const {
  // Every number is written, so that a shorter list blanks what a longer one left.
  CDialogSettings(app, kFindDialogId)
      .WriteDialogStringList(kKeyFormat, entries_, static_cast<int>(kMaxEntries));
}

void CFindHistory::Add(std::string_view text) {
  if (text.empty()) return;
  entries_.erase(std::remove(entries_.begin(), entries_.end(), text), entries_.end());
  entries_.insert(entries_.begin(), std::string(text));
  if (entries_.size() > kMaxEntries) entries_.resize(kMaxEntries);
}

}  // namespace nuvo
