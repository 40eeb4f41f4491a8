#include "core/common/Encoding.h"

#include <gtest/gtest.h>

using namespace nuvo;

TEST(Encoding, LeadBytesFollowTheCodePage932Rule) {
  EXPECT_FALSE(IsLeadByte(0x41));
  EXPECT_FALSE(IsLeadByte(0x80));
  EXPECT_TRUE(IsLeadByte(0x81));
  EXPECT_TRUE(IsLeadByte(0x9F));
  EXPECT_FALSE(IsLeadByte(0xA0));
  EXPECT_FALSE(IsLeadByte(0xDF));
  EXPECT_TRUE(IsLeadByte(0xE0));
  EXPECT_TRUE(IsLeadByte(0xFC));
  // A lead byte at the very end stands alone.
  EXPECT_EQ(CharWidthAt("\x83", 0), 1u);
  EXPECT_EQ(CharWidthAt("\x83\x5C", 0), 2u);
}

TEST(Encoding, RoundTripsJapaneseThroughCodePage932) {
  std::string sjis = Cp932("ソ表示ー①");
  // ソ is 0x83 0x5C: its trail byte is a backslash.
  EXPECT_EQ(sjis.substr(0, 2), "\x83\x5C");
  EXPECT_EQ(Utf8FromCp932(sjis), "ソ表示ー①");
}

TEST(Encoding, RefusesWhatCodePage932CannotHold) {
  EXPECT_FALSE(Cp932FromUtf8("絵文字😀").has_value());
  EXPECT_FALSE(ConvertCharset("\xFF\xFF", kUtf8, kCp932).has_value());
  EXPECT_EQ(ConvertCharset("", kUtf8, kCp932), std::string());
  // A name in a message shows what it can and marks the rest, instead of stopping the program.
  EXPECT_EQ(Utf8FromCp932(Cp932ForMessage("写真😀.nvd")), "写真〓.nvd");
  EXPECT_EQ(Utf8FromCp932(Cp932ForMessage("a\xff")), "a〓");
}

TEST(Encoding, ConvertsTheOtherJapaneseEncodings) {
  std::string sjis = Cp932("日本語テキスト");
  auto euc = ConvertCharset(sjis, kCp932, kEucJp);
  ASSERT_TRUE(euc);
  EXPECT_EQ(ConvertCharset(*euc, kEucJp, kCp932), sjis);
  auto jis = ConvertCharset(sjis, kCp932, kIso2022Jp);
  ASSERT_TRUE(jis);
  EXPECT_EQ(jis->substr(0, 3), "\x1B$B");
  EXPECT_EQ(ConvertCharset(*jis, kIso2022Jp, kCp932), sjis);
}

TEST(Encoding, DamagedCodePage932BecomesReplacementCharacters) {
  EXPECT_EQ(Utf8FromCp932("a\x81"), "a\xEF\xBF\xBD");
}
