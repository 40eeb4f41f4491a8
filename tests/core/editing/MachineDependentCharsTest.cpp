#include "core/editing/MachineDependentChars.h"

#include <gtest/gtest.h>

#include "core/common/Encoding.h"

using namespace nuvo;

namespace {

// Whether ICU's EUC-JP writes `utf8` as one character of the JIS X 0208 rows in use (1 to 8 and
// 16 to 84): the repertoire every Shift_JIS system shares.
bool IsSharedJisCharacter(const std::string& utf8) {
  const auto euc = ConvertCharset(utf8, kUtf8, kEucJp);
  if (!euc || euc->size() != 2) return false;
  const int row = static_cast<unsigned char>((*euc)[0]) - 0xA0;
  const int cell = static_cast<unsigned char>((*euc)[1]) - 0xA0;
  return cell >= 1 && cell <= 94 && ((row >= 1 && row <= 8) || (row >= 16 && row <= 84));
}

// Walks every two-byte code of code page 932: a code of the set is a character outside the
// shared repertoire, or a second code of one inside it that code page 932 itself never writes;
// every other code is a shared character.
TEST(MachineDependentCharsTest, TheSetIsExactlyWhatCodePage932AddsToJisX0208) {
  int inSet = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
      const auto utf8 = ConvertCharset(code, kCp932, kUtf8);
      const bool dependent = IsMachineDependentCode(static_cast<unsigned char>(lead),
                                                    static_cast<unsigned char>(trail));
      if (!utf8) continue;  // no character has this code
      SCOPED_TRACE(testing::Message() << std::hex << lead << ' ' << trail << ' ' << *utf8);
      if (dependent) {
        ++inSet;
        EXPECT_TRUE(!IsSharedJisCharacter(*utf8) || ConvertCharset(*utf8, kUtf8, kCp932) != code);
      } else {
        EXPECT_TRUE(IsSharedJisCharacter(*utf8));
      }
    }
  }
  // Row 13, the two NEC-selected rows, the user-defined area and the IBM rows.
  EXPECT_EQ(inSet, 83 + 374 + 1880 + 388);
}

TEST(MachineDependentCharsTest, FindingStepsOverTwoByteCharactersWhole) {
  // The examples the warning names, each found at its place.
  for (const char* example : {"①", "ⅰ", "Ⅰ", "㍉", "㎜", "㍻", "№", "℡", "㈱", "髙"}) {
    SCOPED_TRACE(example);
    EXPECT_EQ(FindMachineDependentChar(Cp932(std::string("ab価格") + example)), 6u);
  }
  // "ｧ" is one byte, so the 0x87 that follows it starts a character.
  EXPECT_EQ(FindMachineDependentChar(Cp932("ｧ①")), 1u);
  // "ョ" is 0x83 0x87: its trail byte and the "@" after it spell the code of "①".
  EXPECT_FALSE(FindMachineDependentChar(Cp932("ョ@")));
  EXPECT_FALSE(FindMachineDependentChar(Cp932("ふつうの文字～ー－")));
  EXPECT_FALSE(FindMachineDependentChar(std::string(1, '\x87')));  // a lead byte cut short
}

}  // namespace
