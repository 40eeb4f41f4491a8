#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/app/AppComm.h"

// The texts the seller searched for, newest first, as the find dialog's box offers them; kept
// between runs as "FindString01" to "FindString20" in the dialog's settings section. A value.
namespace nuvo {

// The find dialog, for its settings section.
inline constexpr int kFindDialogId = 22101;

class CFindHistory {
 public:
  static constexpr std::size_t kMaxEntries = 20;

  static CFindHistory Load(CAppComm& app);
  void Save(CAppComm& app) const;

  // Puts `text` first; an earlier entry of the same text goes, and the oldest beyond the limit.
  void Add(std::string_view text);
  const std::vector<std::string>& Entries() const { return entries_; }

 private:
  std::vector<std::string> entries_;
};

}  // namespace nuvo
