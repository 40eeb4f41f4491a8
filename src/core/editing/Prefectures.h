#pragma once

#include <string>

// The 47 prefectures of Japan by their standard numbers, from 1 "北海道" to 47 "沖縄県": where a
// seller sends from, and where a convenience-store drop-off is.
namespace nuvo {

inline constexpr int kPrefectureCount = 47;

// The name of prefecture `number` (code page 932); empty outside 1..47.
const std::string& PrefectureName(int number);

}  // namespace nuvo
