#pragma once

#include <cstdint>

// The choices of "UPAAODataSizeLimit": how many bytes of photos one upload request may carry when
// the photos go up together. The setting keeps an index, 0 to 3.
namespace nuvo {

inline constexpr int kUploadSizeLimitCount = 4;

// Megabytes of choice `index`; an index outside 0..3 counts as the default choice, 1.
constexpr int UploadSizeLimitMegabytes(int index) {
  constexpr int kMegabytes[kUploadSizeLimitCount] = {1, 2, 5, 10};
  return kMegabytes[index >= 0 && index < kUploadSizeLimitCount ? index : 1];
}

constexpr std::int64_t UploadSizeLimitBytes(int index) {
  return std::int64_t{UploadSizeLimitMegabytes(index)} * 1024 * 1024;
}

}  // namespace nuvo
