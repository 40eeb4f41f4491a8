#include "core/editing/PhotoReader.h"

#include <fstream>

#include "core/app/OptionBits.h"
#include "core/common/AsciiCase.h"
#include "core/common/Encoding.h"
#include "core/common/StringTable.h"
#include "core/document/PhotoSize.h"

namespace nuvo {

bool IsPhotoFileName(const std::filesystem::path& path) {
  std::string ext = AsciiLower(path.extension().string());
  return ext == ".jpg" || ext == ".jpeg" || ext == ".jpe" || ext == ".jfif" || ext == ".gif";
}

std::optional<CPhotoRow> CPhotoReader::Fail(EPhotoError error, int messageId, std::int64_t arg) {
  error_ = error;
  if (messageId != 0) ShowMessage(prompt_, messageId, {arg});
  return std::nullopt;
}

std::optional<CPhotoRow> CPhotoReader::Read(const std::filesystem::path& path) {
  error_ = EPhotoError::None;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    return Fail(EPhotoError::NotFound, IDS_FILE_OPEN_FAILED);
  }
  if (!IsPhotoFileName(path)) return Fail(EPhotoError::NotImage, IDS_PHOTO_NOT_JPEG_GIF);
  // The name goes into the listing, which holds code page 932 alone.
  std::optional<std::string> name = Cp932FromUtf8(path.filename().string());
  std::ifstream in(path, std::ios::binary);
  std::uintmax_t length = std::filesystem::file_size(path, error);
  if (!in || error || !name) return Fail(EPhotoError::OpenFailed, IDS_FILE_OPEN_FAILED);
  if (length == 0) return Fail(EPhotoError::Empty, IDS_PHOTO_EMPTY);
  if (length > kLargestMegabytes * kMegabyte) {
    return Fail(EPhotoError::TooLarge, IDS_PHOTO_TOO_LARGE, std::int64_t{kLargestMegabytes});
  }
  if (length > kWarningMegabytes * kMegabyte && (optionValue_ & kOptionWarnLargePhotos) &&
      AskMessage(prompt_, IDS_PHOTO_OVER_WARNING_SIZE, PromptButtons::YesNo,
                 {std::int64_t{kWarningMegabytes}}) != PromptAnswer::Yes) {
    return Fail(EPhotoError::Declined, 0);
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(length))) {
    return Fail(EPhotoError::OpenFailed, IDS_FILE_OPEN_FAILED);
  }
  CPhotoRow photo;
  photo.entry.name = std::move(*name);
  photo.entry.size = PhotoPixelSize(photo.entry.name, bytes);
  photo.data = CPhotoData(std::move(bytes));
  if (photo.entry.size.width <= 0 || photo.entry.size.height <= 0) {
    return Fail(EPhotoError::SizeUnknown, IDS_PHOTO_SIZE_UNKNOWN);
  }
  // Only a picture small both ways is refused: a narrow banner of 31 x 40 is fine.
  if (photo.entry.size.width < kSmallestSide && photo.entry.size.height < kSmallestSide) {
    return Fail(EPhotoError::TooSmall, IDS_PHOTO_TOO_SMALL);
  }
  return photo;
}

bool CPhotoReader::AddPhoto(CNuvoDoc& doc, const std::filesystem::path& path) {
  if (doc.GetPhotoData().size() >= CNuvoDoc::kMaxPhotos) {
    Fail(EPhotoError::TooMany, IDS_TOO_MANY_PHOTOS,
         static_cast<std::int64_t>(CNuvoDoc::kMaxPhotos));
    return false;
  }
  std::optional<CPhotoRow> photo = Read(path);
  if (!photo) return false;
  doc.ExecuteCommand(MakeAddPhotoCommand(doc, std::move(*photo)));
  return true;
}

}  // namespace nuvo
