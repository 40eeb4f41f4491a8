#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>

// A file held open for reading, so that parts of it can be read later, at any offset, without
// keeping them in memory. The handle keeps the contents it opened even when another file is
// renamed over the path (as an atomic save does), but not when the file is written in place, so
// it remembers the size and modification time it found and can tell whether they still hold.
// Owns the handle.
namespace nuvo {

class CReadOnlyFile {
 public:
  // Null when the file cannot be opened or is not a regular file.
  static std::shared_ptr<const CReadOnlyFile> Open(const std::filesystem::path& path);
  ~CReadOnlyFile();
  CReadOnlyFile(const CReadOnlyFile&) = delete;
  CReadOnlyFile& operator=(const CReadOnlyFile&) = delete;

  // The size found when the file was opened.
  std::uint64_t Size() const { return size_; }
  // Whether the file still has the size and modification time it was opened with.
  bool IsUnchanged() const;
  // Fills `into` from `offset`; false when the file holds fewer bytes there or cannot be read.
  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) const;
  int Handle() const { return fd_; }

 private:
  CReadOnlyFile(int fd, const struct stat& status);

  int fd_;
  std::uint64_t size_;
  struct timespec modified_;
};

}  // namespace nuvo
