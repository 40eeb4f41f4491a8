#pragma once

#include <cstdint>

namespace nuvo {

// Width and height of a picture in pixels; 0 when not determined.
struct PixelSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

}  // namespace nuvo
