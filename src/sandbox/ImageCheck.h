#pragma once

#include <optional>
#include <string>
#include <string_view>

// What the sandbox learns from an uploaded photo: its kind and size, read from the bytes
// themselves. A photo is accepted only when it is a whole JPEG or GIF, so a body that lost or
// gained bytes on the way (a line end turned into CR LF, a cut transfer) is caught here.
namespace nuvo::sandbox {

struct ImageInfo {
  std::string contentType;  // "image/jpeg" or "image/gif"
  int width = 0;
  int height = 0;
};

// The image's kind and dimensions, or nullopt with the reason (UTF-8) in `why`.
std::optional<ImageInfo> InspectImage(std::string_view bytes, std::string& why);

// Lower-case hexadecimal SHA-256 of `bytes`.
std::string Sha256Hex(std::string_view bytes);

}  // namespace nuvo::sandbox
