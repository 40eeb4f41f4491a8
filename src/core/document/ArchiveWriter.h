#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/AtomicFile.h"
#include "core/document/ArchiveReader.h"
#include "core/document/PhotoData.h"

// Writes the little-endian primitives of a listing file. Small fields go into a buffer it owns;
// large blocks and photo files are not copied but referred to (a photo still in the file it was
// opened from as that piece of the file), so the caller keeps them alive and unchanged until the
// pieces have been written out.
namespace nuvo {

class CArchiveWriter {
 public:
  void WriteU8(std::uint8_t value) { bytes_.push_back(static_cast<char>(value)); }
  void WriteU16(std::uint16_t value);
  void WriteU32(std::uint32_t value);
  void WriteI32(std::int32_t value) { WriteU32(static_cast<std::uint32_t>(value)); }
  // Low 32 bits first, then the high 32 bits.
  void WriteI64(std::int64_t value);
  // Length prefix as CArchiveReader::ReadString reads it, then the bytes.
  void WriteString(std::string_view text);
  void WriteBytes(std::span<const std::uint8_t> bytes);
  void WritePhotoData(const CPhotoData& photo);
  void WriteSize(PixelSize size);

  // The output in order, as pieces that point into the buffer or at what is referred to.
  std::vector<ContentPiece> Pieces() const;
  // Whether every file that pieces of the output come from still holds what it held when it was
  // opened.
  bool FilesUnchanged() const;
  // The whole output in one string; empty when a file it refers to can no longer be read.
  std::string Bytes() const;

 private:
  // A piece of the output: `size` bytes of the buffer from `offset`, a block outside it, or a
  // range of a file.
  struct Piece {
    const std::uint8_t* block = nullptr;
    std::size_t offset = 0;
    std::size_t size = 0;
    std::optional<FileRange> range;
  };
  void CloseBufferPiece();

  std::string bytes_;
  std::vector<Piece> pieces_;
  std::size_t open_ = 0;  // where the buffer's current piece starts
};

}  // namespace nuvo
