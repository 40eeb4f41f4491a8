#include "core/document/ArchiveReader.h"

#include <algorithm>

#include "core/document/ArchiveException.h"

namespace nuvo {
namespace {

// What one read from the file asks for at least: enough for every small field of a record.
constexpr std::size_t kFileChunk = 64 * 1024;

}  // namespace

CArchiveReader::CArchiveReader(std::shared_ptr<const CReadOnlyFile> file)
    : file_(std::move(file)), fileLeft_(static_cast<std::size_t>(file_->Size())) {}

std::span<const std::uint8_t> CArchiveReader::Take(std::size_t count) {
  if (count > Remaining()) throw CArchiveException(kArchiveEndOfFile);
  if (count > Buffered()) Fill(count - Buffered());
  auto part = data_.subspan(pos_, count);
  pos_ += count;
  return part;
}

void CArchiveReader::Fill(std::size_t count) {
  const std::size_t kept = Buffered();
  const std::size_t added = std::min(fileLeft_, std::max(count, kFileChunk));
  std::copy(data_.begin() + static_cast<std::ptrdiff_t>(pos_), data_.end(), buffer_.begin());
  buffer_.resize(kept + added);
  ReadFile(buffer_.data() + kept, added);
  data_ = buffer_;
  pos_ = 0;
}

void CArchiveReader::ReadFile(std::uint8_t* into, std::size_t count) {
  const std::uint64_t offset = file_->Size() - fileLeft_;
  if (!file_->ReadAt(offset, std::span(into, count))) throw CArchiveException(kArchiveEndOfFile);
  fileLeft_ -= count;
}

void CArchiveReader::Skip(std::size_t count) {
  const std::size_t buffered = std::min(count, Buffered());
  pos_ += buffered;
  fileLeft_ -= count - buffered;
}

std::uint8_t CArchiveReader::ReadU8() { return Take(1)[0]; }

std::uint16_t CArchiveReader::ReadU16() {
  auto b = Take(2);
  return static_cast<std::uint16_t>(b[0] | b[1] << 8);
}

std::uint32_t CArchiveReader::ReadU32() {
  auto b = Take(4);
  return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
         static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

std::int64_t CArchiveReader::ReadI64() {
  std::uint64_t low = ReadU32();
  std::uint64_t high = ReadU32();
  return static_cast<std::int64_t>(high << 32 | low);
}

std::string CArchiveReader::ReadString() {
  std::size_t length = ReadU8();
  if (length == 0xFF) {
    length = ReadU16();
    if (length == 0xFFFF) length = ReadU32();
  }
  auto bytes = Take(length);
  return std::string(bytes.begin(), bytes.end());
}

std::vector<std::uint8_t> CArchiveReader::ReadBytes(std::size_t count) {
  if (count <= Buffered() || !file_) {
    auto bytes = Take(count);
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
  }
  if (count > Remaining()) throw CArchiveException(kArchiveEndOfFile);
  std::vector<std::uint8_t> bytes(count);
  const std::size_t buffered = Buffered();
  std::copy(data_.begin() + static_cast<std::ptrdiff_t>(pos_), data_.end(), bytes.begin());
  pos_ += buffered;
  ReadFile(bytes.data() + buffered, count - buffered);
  return bytes;
}

CPhotoData CArchiveReader::ReadPhotoData(std::size_t count) {
  if (!file_) return CPhotoData(ReadBytes(count));
  if (count > Remaining()) throw CArchiveException(kArchiveEndOfFile);
  const std::uint64_t offset = file_->Size() - Remaining();
  Skip(count);
  return CPhotoData(file_, offset, count);
}

PixelSize CArchiveReader::ReadSize() {
  PixelSize size;
  size.width = ReadI32();
  size.height = ReadI32();
  return size;
}

std::uint32_t CArchiveReader::ReadCount(std::size_t minRecordBytes) {
  std::uint32_t count = ReadU32();
  if (minRecordBytes > 0 && count > Remaining() / minRecordBytes) {
    throw CArchiveException(kArchiveEndOfFile);
  }
  return count;
}

}  // namespace nuvo
