#pragma once

#include <QString>
#include <optional>
#include <string>

#include "core/common/Encoding.h"

// The shell's boundary between core text (code page 932 bytes) and QString.
namespace nuvo {

inline QString ToQString(const std::string& cp932) {
  return QString::fromStdString(Utf8FromCp932(cp932));
}

// nullopt when the text holds a character that code page 932 cannot hold.
inline std::optional<std::string> FromQString(const QString& text) {
  return Cp932FromUtf8(text.toStdString());
}

}  // namespace nuvo
