#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/document/PixelSize.h"

// Reads the little-endian primitives of a listing file from bytes held in memory. It never
// trusts a length: anything that would reach past the end raises CArchiveException with
// kArchiveEndOfFile before a byte is allocated. Does not own the bytes.
namespace nuvo {

class CArchiveReader {
 public:
  explicit CArchiveReader(std::span<const std::uint8_t> data) : data_(data) {}

  std::uint8_t ReadU8();
  std::uint16_t ReadU16();
  std::uint32_t ReadU32();
  std::int32_t ReadI32() { return static_cast<std::int32_t>(ReadU32()); }
  // Low 32 bits first, then the high 32 bits.
  std::int64_t ReadI64();
  // A length below 255 is one byte; 0xFF then a u16 length; 0xFF, 0xFFFF then a u32 length.
  std::string ReadString();
  std::vector<std::uint8_t> ReadBytes(std::size_t count);
  PixelSize ReadSize();
  // A count of records each at least `minRecordBytes` long; a count that the rest of the data
  // could not hold is damage, so callers may reserve for it.
  std::uint32_t ReadCount(std::size_t minRecordBytes);

  std::size_t Remaining() const { return data_.size() - pos_; }

 private:
  std::span<const std::uint8_t> Take(std::size_t count);

  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
};

}  // namespace nuvo
