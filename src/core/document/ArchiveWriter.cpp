#include "core/document/ArchiveWriter.h"

#include <algorithm>

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
  pieces_.push_back({bytes.data(), 0, bytes.size(), std::nullopt});
}

void CArchiveWriter::WritePhotoData(const CPhotoData& photo) {
  if (std::optional<FileRange> range = photo.InFile()) {
    CloseBufferPiece();
    pieces_.push_back({nullptr, 0, photo.Size(), range});
    return;
  }
  // Held in memory, the bytes live as long as the photo; Read() hands out that memory itself.
  WriteBytes(*photo.Read());
}

void CArchiveWriter::CloseBufferPiece() {
  if (bytes_.size() > open_)
    pieces_.push_back({nullptr, open_, bytes_.size() - open_, std::nullopt});
  open_ = bytes_.size();
}

std::vector<ContentPiece> CArchiveWriter::Pieces() const {
  std::vector<ContentPiece> pieces;
  auto buffer = reinterpret_cast<const std::uint8_t*>(bytes_.data());
  for (const Piece& piece : pieces_) {
    if (piece.range) {
      pieces.emplace_back(*piece.range);
    } else {
      pieces.emplace_back(std::span<const std::uint8_t>(
          piece.block ? piece.block : buffer + piece.offset, piece.size));
    }
  }
  if (bytes_.size() > open_) {
    pieces.emplace_back(std::span<const std::uint8_t>(buffer + open_, bytes_.size() - open_));
  }
  return pieces;
}

bool CArchiveWriter::FilesUnchanged() const {
  return std::ranges::all_of(
      pieces_, [](const Piece& piece) { return !piece.range || piece.range->file->IsUnchanged(); });
}

std::string CArchiveWriter::Bytes() const {
  std::string all;
  for (const ContentPiece& piece : Pieces()) {
    if (const auto* bytes = std::get_if<std::span<const std::uint8_t>>(&piece)) {
      all.append(reinterpret_cast<const char*>(bytes->data()), bytes->size());
      continue;
    }
    const FileRange& range = std::get<FileRange>(piece);
    const std::size_t at = all.size();
    all.resize(at + range.size);
    if (!range.file->ReadAt(
            range.offset,
            std::span(reinterpret_cast<std::uint8_t*>(all.data() + at), range.size))) {
      return {};
    }
  }
  return all;
}

void CArchiveWriter::WriteSize(PixelSize size) {
  WriteI32(size.width);
  WriteI32(size.height);
}

}  // namespace nuvo
