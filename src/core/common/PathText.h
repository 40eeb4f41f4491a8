#pragma once

#include <filesystem>
#include <string>

#include "core/common/Encoding.h"

// Paths as the program's texts: UTF-8 for the file system and files of our own, code page 932
// for messages and settings.
namespace nuvo {

inline std::string PathUtf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

inline std::filesystem::path PathFromUtf8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// For a message: a character code page 932 cannot hold shows as 〓.
inline std::string PathCp932(const std::filesystem::path& path) {
  return Cp932ForMessage(PathUtf8(path));
}

}  // namespace nuvo
