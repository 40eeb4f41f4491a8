#include "core/document/PhotoData.h"

namespace nuvo {

CPhotoData::CPhotoData(std::vector<std::uint8_t> bytes)
    : bytes_(std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes))),
      size_(bytes_->size()) {}

CPhotoData::CPhotoData(std::shared_ptr<const CReadOnlyFile> file, std::uint64_t offset,
                       std::size_t size)
    : file_(std::move(file)), offset_(offset), size_(size) {}

std::shared_ptr<const std::vector<std::uint8_t>> CPhotoData::Read(std::size_t limit) const {
  if (!bytes_ && !file_) return std::make_shared<const std::vector<std::uint8_t>>();
  if (!file_) {
    if (limit >= size_) return bytes_;
    return std::make_shared<const std::vector<std::uint8_t>>(bytes_->begin(),
                                                             bytes_->begin() + limit);
  }
  auto bytes = std::make_shared<std::vector<std::uint8_t>>(std::min(limit, size_));
  if (!file_->IsUnchanged() || !file_->ReadAt(offset_, *bytes)) return nullptr;
  return bytes;
}

std::optional<FileRange> CPhotoData::InFile() const {
  if (!file_) return std::nullopt;
  return FileRange{file_.get(), offset_, size_};
}

bool operator==(const CPhotoData& a, const CPhotoData& b) {
  if (a.size_ != b.size_) return false;
  if (a.file_ || b.file_) return a.file_ == b.file_ && a.offset_ == b.offset_;
  if (a.bytes_ == b.bytes_ || a.size_ == 0) return true;
  return *a.bytes_ == *b.bytes_;
}

}  // namespace nuvo
