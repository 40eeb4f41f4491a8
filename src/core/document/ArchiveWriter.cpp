#include "core/document/ArchiveWriter.h"

namespace nuvo {

void CArchiveWriter::WriteU16(std::uint16_t value) {
  WriteU8(static_cast<std::uint8_t>(value));
  WriteU8(static_cast<std::uint8_t>(value >> 8));
}

void CArchiveWriter::WriteU32(std::uint32_t value) {
  WriteU16(static_cast<std::uint16_t>(value));
  WriteU16(static_cast<std::uint16_t>(value >> 16));
}

void CArchiveWriter::WriteI64(std::int64_t value) {
  auto bits = static_cast<std::uint64_t>(value);
  WriteU32(static_cast<std::uint32_t>(bits));
  WriteU32(static_cast<std::uint32_t>(bits >> 32));
}

void CArchiveWriter::WriteString(std::string_view text) {
  if (text.size() < 0xFF) {
    WriteU8(static_cast<std::uint8_t>(text.size()));
  } else if (text.size() < 0xFFFE) {
    WriteU8(0xFF);
    WriteU16(static_cast<std::uint16_t>(text.size()));
  } else {
    WriteU8(0xFF);
    WriteU16(0xFFFF);
    WriteU32(static_cast<std::uint32_t>(text.size()));
  }
  bytes_.append(text);
}

void CArchiveWriter::WriteBytes(std::span<const std::uint8_t> bytes) {
  bytes_.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

void CArchiveWriter::WriteSize(PixelSize size) {
  WriteI32(size.width);
  WriteI32(size.height);
}

}  // namespace nuvo
