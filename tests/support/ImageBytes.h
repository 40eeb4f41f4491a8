#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

// The smallest GIF and JPEG files that carry a pixel size, for tests of code that reads one.
using ImageBytes = std::vector<std::uint8_t>;

// A GIF header of the given size, padded with zeros to `length` bytes.
inline ImageBytes GifBytes(std::uint16_t width, std::uint16_t height, std::size_t length = 13) {
  ImageBytes data{'G',
                  'I',
                  'F',
                  '8',
                  '9',
                  'a',
                  static_cast<std::uint8_t>(width),
                  static_cast<std::uint8_t>(width >> 8),
                  static_cast<std::uint8_t>(height),
                  static_cast<std::uint8_t>(height >> 8)};
  data.resize(std::max(length, data.size()));
  return data;
}

// The payload of a JPEG start-of-frame segment for a three-component image.
inline ImageBytes JpegFramePayload(std::uint16_t width, std::uint16_t height) {
  return {8,
          static_cast<std::uint8_t>(height >> 8),
          static_cast<std::uint8_t>(height),
          static_cast<std::uint8_t>(width >> 8),
          static_cast<std::uint8_t>(width),
          3,
          1,
          0x22,
          0};
}

// Appends a JPEG segment: marker, big-endian length (payload + 2), payload.
inline void AppendJpegSegment(ImageBytes& out, std::uint8_t code, const ImageBytes& payload) {
  const std::size_t length = payload.size() + 2;
  out.insert(out.end(), {0xFF, code, static_cast<std::uint8_t>(length >> 8),
                         static_cast<std::uint8_t>(length)});
  out.insert(out.end(), payload.begin(), payload.end());
}

// A JPEG of start, baseline frame header and end markers.
inline ImageBytes JpegBytes(std::uint16_t width, std::uint16_t height) {
  ImageBytes data{0xFF, 0xD8};
  AppendJpegSegment(data, 0xC0, JpegFramePayload(width, height));
  data.insert(data.end(), {0xFF, 0xD9});
  return data;
}
