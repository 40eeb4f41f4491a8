#pragma once

#include <filesystem>
#include <vector>

#include "core/app/AppComm.h"

// The list of files opened or saved last, newest first, kept in the section "Recent File List"
// as "File1", "File2", ... It holds at most ten entries and reads and writes through the
// settings it links to.
namespace nuvo {

class CRecentFileList {
 public:
  static constexpr int kMaxEntries = 10;
  // Menu entries show a path shortened to this many characters.
  static constexpr int kDisplayLength = 30;

  explicit CRecentFileList(CAppComm& comm) : comm_(comm) {}

  // Reads the list; it ends at the first empty entry.
  void Load();
  // Writes every slot, blanking those the list no longer fills.
  void Save();

  // Puts `path` at the top, taking it out of any lower place. A path that code page 932 cannot
  // hold is not remembered.
  void Add(const std::filesystem::path& path);
  void Remove(const std::filesystem::path& path);

  const std::vector<std::filesystem::path>& Entries() const { return entries_; }

 private:
  CAppComm& comm_;
  std::vector<std::filesystem::path> entries_;
};

}  // namespace nuvo
