#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// The failure of reading a listing file: raised by the byte reader and the document reader and
// caught where the file is opened. The code says what went wrong, as a 32-bit value.
namespace nuvo {

inline constexpr std::uint32_t kArchiveEndOfFile = 3;           // the data ended early
inline constexpr std::uint32_t kArchiveBadSignature = 0x10001;  // not a listing file
inline constexpr std::uint32_t kArchiveBadVersion = 0x10002;    // written by a newer program

class CArchiveException : public std::runtime_error {
 public:
  explicit CArchiveException(std::uint32_t code)
      : std::runtime_error("archive exception " + std::to_string(code)), code_(code) {}

  std::uint32_t Code() const { return code_; }

 private:
  std::uint32_t code_;
};

}  // namespace nuvo
