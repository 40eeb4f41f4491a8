#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/document/ArchiveReader.h"

// Writes the little-endian primitives of a listing file. Small fields go into a buffer it owns;
// large blocks (photo files) are not copied but referred to, so the caller keeps them alive and
// unchanged until the pieces have been written out.
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
  void WriteSize(PixelSize size);

  // The output in order, as pieces that point into the buffer or at the blocks referred to.
  std::vector<std::span<const std::uint8_t>> Pieces() const;
  // The whole output in one string.
  std::string Bytes() const;

 private:
  // A piece of the output: `size` bytes of the buffer from `offset`, or a block outside it.
  struct Piece {
    const std::uint8_t* block = nullptr;
    std::size_t offset = 0;
    std::size_t size = 0;
  };
  void CloseBufferPiece();

  std::string bytes_;
  std::vector<Piece> pieces_;
  std::size_t open_ = 0;  // where the buffer's current piece starts
};

}  // namespace nuvo
