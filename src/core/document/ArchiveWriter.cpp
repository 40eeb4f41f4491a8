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

namespace {

// Smaller blocks are cheaper to copy than to keep as pieces of their own.
constexpr std::size_t kReferencedBlock = 64 * 1024;

}  // namespace

void CArchiveWriter::WriteBytes(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kReferencedBlock) {
    bytes_.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return;
  }
  CloseBufferPiece();
  pieces_.push_back({bytes.data(), 0, bytes.size()});
}

void CArchiveWriter::CloseBufferPiece() {
  if (bytes_.size() > open_) pieces_.push_back({nullptr, open_, bytes_.size() - open_});
  open_ = bytes_.size();
}

std::vector<std::span<const std::uint8_t>> CArchiveWriter::Pieces() const {
  std::vector<std::span<const std::uint8_t>> pieces;
  auto buffer = reinterpret_cast<const std::uint8_t*>(bytes_.data());
  for (const Piece& piece : pieces_) {
    pieces.emplace_back(piece.block ? piece.block : buffer + piece.offset, piece.size);
  }
  if (bytes_.size() > open_) pieces.emplace_back(buffer + open_, bytes_.size() - open_);
  return pieces;
}

std::string CArchiveWriter::Bytes() const {
  std::string all;
  for (auto piece : Pieces()) all.append(reinterpret_cast<const char*>(piece.data()), piece.size());
  return all;
}

void CArchiveWriter::WriteSize(PixelSize size) {
  WriteI32(size.width);
  WriteI32(size.height);
}

}  // namespace nuvo
