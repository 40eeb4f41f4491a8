#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "core/common/AtomicFile.h"
#include "core/common/ReadOnlyFile.h"

// The bytes of one photo file of a listing: either held in memory (a photo the seller added) or
// a piece of the listing file it was opened from, read only when something needs it. Copies are
// cheap and share what they refer to, so the undo history and the lists of rows can hold photos
// freely. Shares ownership of the bytes or of the open file.
namespace nuvo {

class CPhotoData {
 public:
  CPhotoData() = default;
  explicit CPhotoData(std::vector<std::uint8_t> bytes);
  // `size` bytes of `file` from `offset`.
  CPhotoData(std::shared_ptr<const CReadOnlyFile> file, std::uint64_t offset, std::size_t size);

  std::size_t Size() const { return size_; }
  bool IsEmpty() const { return size_ == 0; }
  // The bytes, from memory or from the file, or only the first `limit` of them; null when the
  // file has been changed since it was opened and no longer holds them for certain.
  std::shared_ptr<const std::vector<std::uint8_t>> Read(std::size_t limit = SIZE_MAX) const;
  // Where the bytes lie in their file; nothing when they are held in memory.
  std::optional<FileRange> InFile() const;

  // The same bytes from the same place. Bytes in memory are compared; a piece of a file is only
  // equal to the same piece, as telling more would mean reading it.
  friend bool operator==(const CPhotoData& a, const CPhotoData& b);

 private:
  std::shared_ptr<const std::vector<std::uint8_t>> bytes_;
  std::shared_ptr<const CReadOnlyFile> file_;
  std::uint64_t offset_ = 0;
  std::size_t size_ = 0;
};

}  // namespace nuvo
