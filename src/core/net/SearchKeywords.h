#pragma once

#include <string>
#include <vector>

#include "core/app/AppComm.h"

// The words the seller searched categories for, most recent first, at most 20, kept in the
// category dialog's section as "Keyword1", "Keyword2", ... (code page 932).
namespace nuvo {

class CSearchKeywords {
 public:
  static constexpr int kMaxEntries = 20;

  // Reads from "Keyword1" on; the first empty text ends the list.
  void Load(const CAppComm& app);
  void Save(CAppComm& app) const;

  // Puts `words` first, dropping the same text further down; blank words are not kept.
  void Add(const std::string& words);

  const std::vector<std::string>& Entries() const { return entries_; }

 private:
  std::vector<std::string> entries_;
};

}  // namespace nuvo
