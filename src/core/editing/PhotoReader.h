#pragma once

#include <filesystem>
#include <optional>

#include "core/common/UserPrompt.h"
#include "core/editing/RowCommands.h"

// Reads an image file that is to become a photo of the listing, with every check a photo must
// pass: kind, existence, size limits, the seller's consent to a large file, and pixel size. A
// refusal is shown through the prompt, one message for one failure.
namespace nuvo {

// Why a file was refused.
enum class EPhotoError {
  None = 0,
  Empty = 1,
  TooLarge = 2,
  Declined = 3,  // the seller answered No to the large-file question
  OpenFailed = 4,
  NotFound = 5,
  NotImage = 6,
  TooSmall = 7,
  SizeUnknown = 8,
  TooMany = 9,  // the listing holds ten photos already
};

class CPhotoReader {
 public:
  static constexpr std::uintmax_t kMegabyte = 1048576;
  static constexpr int kLargestMegabytes = 5;
  static constexpr int kWarningMegabytes = 1;
  static constexpr std::int32_t kSmallestSide = 32;

  // `optionValue` is the application's option bits, which say whether a large file is asked
  // about.
  CPhotoReader(IUserPrompt& prompt, int optionValue) : prompt_(prompt), optionValue_(optionValue) {}

  // The photo in the file at `path`, named after the file, or nullopt once the refusal is shown.
  std::optional<CPhotoRow> Read(const std::filesystem::path& path);
  EPhotoError LastError() const { return error_; }

  // Reads the file and adds it to the listing as a new photo through the undo history. A listing
  // that holds ten photos already refuses it before the file is read.
  bool AddPhoto(CNuvoDoc& doc, const std::filesystem::path& path);

 private:
  std::optional<CPhotoRow> Fail(EPhotoError error, int messageId, std::int64_t arg = 0);

  IUserPrompt& prompt_;
  int optionValue_;
  EPhotoError error_ = EPhotoError::None;
};

// Whether a file name names a kind of image a photo may be: JPEG or GIF.
bool IsPhotoFileName(const std::filesystem::path& path);

}  // namespace nuvo
