#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/common/ReadOnlyFile.h"
#include "core/document/PhotoData.h"
#include "core/document/PixelSize.h"

// Reads the little-endian primitives of a listing file, from bytes held in memory or from an open
// file. It never trusts a length: anything that would reach past the end raises CArchiveException
// with kArchiveEndOfFile before a byte is allocated. From a file, small fields pass through a
// buffer it owns and photo files are not read at all but noted as pieces of the file, so that
// opening a listing costs little more memory than its text. Owns neither the bytes in memory nor
// the file, whose ownership it shares with the photos it hands out.
namespace nuvo {

class CArchiveReader {
 public:
  explicit CArchiveReader(std::span<const std::uint8_t> data) : data_(data) {}
  // Reads `file` from its start to the size it had when it was opened; a file that ends sooner
  // is damaged.
  explicit CArchiveReader(std::shared_ptr<const CReadOnlyFile> file);

  std::uint8_t ReadU8();
  std::uint16_t ReadU16();
  std::uint32_t ReadU32();
  std::int32_t ReadI32() { return static_cast<std::int32_t>(ReadU32()); }
  // Low 32 bits first, then the high 32 bits.
  std::int64_t ReadI64();
  // A length below 255 is one byte; 0xFF then a u16 length; 0xFF, 0xFFFF then a u32 length.
  std::string ReadString();
  std::vector<std::uint8_t> ReadBytes(std::size_t count);
  // The next `count` bytes as a photo: a piece of the file when reading from one, without
  // reading it, or a copy of the bytes in memory.
  CPhotoData ReadPhotoData(std::size_t count);
  PixelSize ReadSize();
  // A count of records each at least `minRecordBytes` long; a count that the rest of the data
  // could not hold is damage, so callers may reserve for it.
  std::uint32_t ReadCount(std::size_t minRecordBytes);

  std::size_t Remaining() const { return Buffered() + fileLeft_; }

 private:
  std::size_t Buffered() const { return data_.size() - pos_; }
  std::span<const std::uint8_t> Take(std::size_t count);
  // Brings at least `count` more bytes of the file into the buffer, behind those not yet read.
  void Fill(std::size_t count);
  void ReadFile(std::uint8_t* into, std::size_t count);
  // Passes over the next `count` bytes, which the caller has checked are there.
  void Skip(std::size_t count);

  // In memory: all the bytes. From a file: what the buffer holds.
  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
  std::shared_ptr<const CReadOnlyFile> file_;
  std::size_t fileLeft_ = 0;  // bytes of the file not yet taken into the buffer
  std::vector<std::uint8_t> buffer_;
};

}  // namespace nuvo
