#include "core/document/PhotoSize.h"

#include <cstddef>

namespace nuvo {
namespace {

constexpr std::uint8_t kMarker = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kStartOfScan = 0xDA;

std::uint16_t LittleU16(std::span<const std::uint8_t> data, std::size_t pos) {
  return static_cast<std::uint16_t>(data[pos] | data[pos + 1] << 8);
}

std::uint16_t BigU16(std::span<const std::uint8_t> data, std::size_t pos) {
  return static_cast<std::uint16_t>(data[pos] << 8 | data[pos + 1]);
}

// SOF0..SOF15 are 0xC0..0xCF, except three markers in that range that are something else:
// DHT (0xC4), JPG (0xC8) and DAC (0xCC).
bool IsStartOfFrame(std::uint8_t code) {
  return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

// Markers that stand alone, without a length: TEM and the restart markers RST0..RST7.
bool HasNoLength(std::uint8_t code) { return code == 0x01 || (code >= 0xD0 && code <= 0xD7); }

bool EndsWithGif(std::string_view name) {
  if (name.size() < 4 || name[name.size() - 4] != '.') return false;
  for (std::size_t i = 0; i < 3; ++i) {
    if ((name[name.size() - 3 + i] | 0x20) != "gif"[i]) return false;
  }
  return true;
}

}  // namespace

std::optional<PixelSize> ReadGifSize(std::span<const std::uint8_t> data) {
  if (data.size() < 10 || data[0] != 'G' || data[1] != 'I' || data[2] != 'F') return std::nullopt;
  return PixelSize{LittleU16(data, 6), LittleU16(data, 8)};
}

std::optional<PixelSize> ReadJpegSize(std::span<const std::uint8_t> data) {
  if (data.size() < 2 || data[0] != kMarker || data[1] != kStartOfImage) return std::nullopt;
  std::size_t pos = 2;
  // Every step moves forward by at least one byte, so the walk ends within the data.
  while (pos + 1 < data.size()) {
    if (data[pos] != kMarker) {
      ++pos;  // stray bytes between segments are skipped as decoders do
      continue;
    }
    std::uint8_t code = data[pos + 1];
    if (code == kMarker) {
      ++pos;  // fill byte before a marker
      continue;
    }
    pos += 2;
    if (code == kEndOfImage || code == kStartOfScan) return std::nullopt;
    if (HasNoLength(code) || code == kStartOfImage) continue;
    if (pos + 2 > data.size()) return std::nullopt;
    std::size_t length = BigU16(data, pos);
    if (length < 2) return std::nullopt;
    if (IsStartOfFrame(code)) {
      // length, sample precision, height, width
      if (length < 7 || pos + 7 > data.size()) return std::nullopt;
      return PixelSize{BigU16(data, pos + 5), BigU16(data, pos + 3)};
    }
    pos += length;
  }
  return std::nullopt;
}

PixelSize PhotoPixelSize(std::string_view fileName, std::span<const std::uint8_t> data) {
  auto size = EndsWithGif(fileName) ? ReadGifSize(data) : ReadJpegSize(data);
  return size.value_or(PixelSize{});
}

}  // namespace nuvo
