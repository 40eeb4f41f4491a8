#include "sandbox/ImageCheck.h"

#include <openssl/evp.h>

#include <cstdio>

namespace nuvo::sandbox {
namespace {

unsigned Byte(std::string_view bytes, std::size_t pos) {
  return static_cast<unsigned char>(bytes[pos]);
}

// Walks the marker segments up to the scan, then the entropy-coded data to the end-of-image
// marker, which must be the last two bytes. A segment length that runs past the data, a marker
// byte where none may stand, or bytes after the end are damage.
std::optional<ImageInfo> InspectJpeg(std::string_view bytes, std::string& why) {
  ImageInfo info{"image/jpeg"};
  std::size_t pos = 2;
  bool sawFrame = false;
  for (;;) {
    if (pos + 4 > bytes.size() || Byte(bytes, pos) != 0xFF) {
      why = "JPEG marker segments are damaged";
      return std::nullopt;
    }
    unsigned marker = Byte(bytes, pos + 1);
    std::size_t length = Byte(bytes, pos + 2) << 8 | Byte(bytes, pos + 3);
    if (length < 2 || pos + 2 + length > bytes.size()) {
      why = "JPEG segment length runs past the data";
      return std::nullopt;
    }
    bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (length < 8) {
        why = "JPEG frame header is too short";
        return std::nullopt;
      }
      info.height = static_cast<int>(Byte(bytes, pos + 5) << 8 | Byte(bytes, pos + 6));
      info.width = static_cast<int>(Byte(bytes, pos + 7) << 8 | Byte(bytes, pos + 8));
      sawFrame = true;
    }
    pos += 2 + length;
    if (marker == 0xDA) break;
  }
  if (!sawFrame || info.width == 0 || info.height == 0) {
    why = "JPEG has no frame header";
    return std::nullopt;
  }
  for (; pos + 1 < bytes.size(); ++pos) {
    if (Byte(bytes, pos) != 0xFF) continue;
    unsigned next = Byte(bytes, pos + 1);
    if (next == 0xD9) {
      if (pos + 2 == bytes.size()) return info;
      why = "JPEG has bytes after its end";
      return std::nullopt;
    }
    // Stuffed zero, restart markers and fill bytes may stand in scan data; further scans of a
    // progressive image bring their own tables and headers.
    if (next == 0x00 || (next >= 0xD0 && next <= 0xD7) || next == 0xFF) continue;
    if (pos + 4 > bytes.size()) break;
    std::size_t length = Byte(bytes, pos + 2) << 8 | Byte(bytes, pos + 3);
    if (length < 2 || pos + 2 + length > bytes.size()) break;
    pos += 1 + length;
  }
  why = "JPEG ends without its end marker";
  return std::nullopt;
}

// Walks the blocks of the data stream: extensions and images with their sub-block chains, to
// the trailer, which must be the last byte.
std::optional<ImageInfo> InspectGif(std::string_view bytes, std::string& why) {
  ImageInfo info{"image/gif"};
  if (bytes.size() < 13) {
    why = "GIF header is cut";
    return std::nullopt;
  }
  info.width = static_cast<int>(Byte(bytes, 6) | Byte(bytes, 7) << 8);
  info.height = static_cast<int>(Byte(bytes, 8) | Byte(bytes, 9) << 8);
  std::size_t pos = 13;
  if (Byte(bytes, 10) & 0x80) pos += 3u << ((Byte(bytes, 10) & 7) + 1);
  auto skipSubBlocks = [&]() {
    while (pos < bytes.size()) {
      std::size_t size = Byte(bytes, pos);
      pos += 1 + size;
      if (size == 0) return pos <= bytes.size();
    }
    return false;
  };
  while (pos < bytes.size()) {
    unsigned introducer = Byte(bytes, pos);
    if (introducer == 0x3B) {
      if (pos + 1 == bytes.size() && info.width > 0 && info.height > 0) return info;
      why = "GIF has bytes after its trailer";
      return std::nullopt;
    }
    if (introducer == 0x21) {
      pos += 2;
      if (!skipSubBlocks()) break;
    } else if (introducer == 0x2C) {
      if (pos + 10 > bytes.size()) break;
      unsigned flags = Byte(bytes, pos + 9);
      pos += 10;
      if (flags & 0x80) pos += 3u << ((flags & 7) + 1);
      pos += 1;  // the code size of the image data
      if (!skipSubBlocks()) break;
    } else {
      why = "GIF block is damaged";
      return std::nullopt;
    }
  }
  why = "GIF ends without its trailer";
  return std::nullopt;
}

}  // namespace

std::optional<ImageInfo> InspectImage(std::string_view bytes, std::string& why) {
  if (bytes.size() >= 3 && Byte(bytes, 0) == 0xFF && Byte(bytes, 1) == 0xD8) {
    return InspectJpeg(bytes, why);
  }
  if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) return InspectGif(bytes, why);
  why = "not a JPEG or GIF image";
  return std::nullopt;
}

std::string Sha256Hex(std::string_view bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr);
  std::string hex;
  for (unsigned i = 0; i < length; ++i) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02x", digest[i]);
    hex += pair;
  }
  return hex;
}

}  // namespace nuvo::sandbox
