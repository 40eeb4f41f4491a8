#include "core/html/CharClass.h"

#include <gtest/gtest.h>

#include "core/common/Encoding.h"

using namespace nuvo;

TEST(CharClass, ClassifiesBytes) {
  EXPECT_TRUE(IsAsciiChar('\x7F'));
  EXPECT_FALSE(IsAsciiChar('\x80'));
  EXPECT_TRUE(IsHalfWidthKana('\x80'));
  EXPECT_TRUE(IsHalfWidthKana('\xA0'));
  EXPECT_TRUE(IsHalfWidthKana('\xDF'));
  EXPECT_FALSE(IsHalfWidthKana('\x81'));
  EXPECT_FALSE(IsHalfWidthKana('\xE0'));
  EXPECT_TRUE(IsSingleByteChar('\xB1'));
  EXPECT_FALSE(IsSingleByteChar('\x9F'));
  EXPECT_TRUE(IsHexDigitChar('f'));
  EXPECT_TRUE(IsHexDigitChar('F'));
  EXPECT_FALSE(IsHexDigitChar('g'));
  EXPECT_FALSE(IsDigitChar('a'));
  EXPECT_EQ(HexDigitValue('7'), 7);
  EXPECT_EQ(HexDigitValue('b'), 11);
  EXPECT_EQ(HexDigitValue('F'), 15);
  EXPECT_EQ(HexDigitValue('g'), -1);
}

TEST(CharClass, NumberTextFollowsItsFlags) {
  EXPECT_TRUE(IsNumberText("0123", 0));
  EXPECT_FALSE(IsNumberText("-12", 0));
  EXPECT_TRUE(IsNumberText("-12", kNumberSigned));
  EXPECT_TRUE(IsNumberText("+12", kNumberSigned));
  EXPECT_FALSE(IsNumberText("1-2", kNumberSigned));
  EXPECT_FALSE(IsNumberText("1.5", kNumberSigned));
  EXPECT_TRUE(IsNumberText("-1.5", kNumberSigned | kNumberDecimalPoint));
  EXPECT_TRUE(IsNumberText("1.5.", kNumberDecimalPoint));
  EXPECT_TRUE(IsNumberText("7fFF", kNumberHex));
  EXPECT_FALSE(IsNumberText("7fFF", 0));
  EXPECT_FALSE(IsNumberText("", 0));
  EXPECT_FALSE(IsNumberText("-", kNumberSigned));
  EXPECT_FALSE(IsNumberText(Cp932("１２"), 0));
}

TEST(CharClass, FindsHalfWidthKanaOnlyAsWholeCharacters) {
  EXPECT_TRUE(HasHalfWidthKana(Cp932("abｱ")));
  // "あ" is 82 A0 and "ア" 83 41: their second bytes are no characters of their own.
  EXPECT_FALSE(HasHalfWidthKana(Cp932("あアソ表")));
  EXPECT_FALSE(HasHalfWidthKana("a\x82"));
  EXPECT_FALSE(HasHalfWidthKana(""));
}
