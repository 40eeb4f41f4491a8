#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "core/document/PixelSize.h"

// Reads a photo's pixel size from the photo file itself, for listings that did not store it.
// Only the headers are looked at; nothing is decoded.
namespace nuvo {

// Width and height of a GIF: "GIF" at the start and the two u16 at offsets 6 and 8.
std::optional<PixelSize> ReadGifSize(std::span<const std::uint8_t> data);

// Width and height from a JPEG's start-of-frame segment, found by walking the segments from the
// start-of-image marker by their lengths; gives up at the start of the scan data or the end.
std::optional<PixelSize> ReadJpegSize(std::span<const std::uint8_t> data);

// The size of a photo file named `fileName`: a ".gif" name (any case) is read as GIF, any other
// as JPEG; 0 x 0 when the data do not tell.
PixelSize PhotoPixelSize(std::string_view fileName, std::span<const std::uint8_t> data);

}  // namespace nuvo
