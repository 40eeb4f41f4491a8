#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/document/ArchiveReader.h"

// Writes the little-endian primitives of a listing file into a byte buffer it owns; the buffer
// is written to disk in one piece afterwards.
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

  const std::string& Bytes() const { return bytes_; }
  void Reserve(std::size_t size) { bytes_.reserve(size); }

 private:
  std::string bytes_;
};

}  // namespace nuvo
