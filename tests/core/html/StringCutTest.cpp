#include "core/html/StringCut.h"

#include <gtest/gtest.h>

#include "core/common/Encoding.h"

using namespace nuvo;

namespace {
const std::string kSo = Cp932("ソ");       // 83 5C
const std::string kHyou = Cp932("表");     // 95 5C
const std::string kPipe = Cp932("ポ");     // 83 7C
const std::string kBracket = Cp932("ー");  // 81 5B
const std::string kBrace = Cp932("ボ");    // 83 7B
}  // namespace

TEST(StringCut, SplitsAtRealSeparatorsOnly) {
  EXPECT_EQ(LeftOfChar(kSo + "\\x", '\\'), kSo);
  EXPECT_EQ(RightOfChar(kSo + "\\x", '\\'), "x");
  EXPECT_EQ(LeftOfChar(kSo + kHyou, '\\'), std::nullopt);
  EXPECT_EQ(RightOfChar("a\\b\\" + kHyou, '\\', true), kHyou);
  EXPECT_EQ(LeftOfChar("a\\b\\" + kHyou, '\\', true), "a\\b");
  EXPECT_EQ(LeftOfChar(kPipe + "|" + kPipe, '|', true), kPipe);
  EXPECT_EQ(RightOfChar(kBracket + "[", '['), "");
  EXPECT_EQ(LeftOfChar(kBrace + "{", '{'), kBrace);
  EXPECT_EQ(LeftOfChar("", 'a'), std::nullopt);
  EXPECT_EQ(LeftOfChar("a\x83", '\x83'), "a");
}

TEST(StringCut, SplitsAtSeparatorTexts) {
  // "\\\\" must not be found across the second byte of "ソ" and a real backslash.
  EXPECT_EQ(LeftOfText(kSo + "\\x\\\\y", "\\\\"), kSo + "\\x");
  EXPECT_EQ(RightOfText(kSo + "\\x\\\\y", "\\\\"), "y");
  EXPECT_EQ(LeftOfText("a::b::c", "::", true), "a::b");
  EXPECT_EQ(RightOfText("a::b::c", "::", true), "c");
  EXPECT_EQ(RightOfText(kHyou + "ab", Cp932("表")), "ab");
  EXPECT_EQ(LeftOfText("abc", ""), std::nullopt);
  EXPECT_EQ(LeftOfText("abc", "abcd"), std::nullopt);
}

TEST(StringCut, TrimsTheEndWithoutSplittingCharacters) {
  std::string path = "C:\\\\\\";
  EXPECT_TRUE(TrimRightKeepOne(path, '\\', ':'));
  EXPECT_EQ(path, "C:\\");
  EXPECT_FALSE(TrimRightKeepOne(path, '\\', ':'));
  std::string folder = "a\\b\\\\";
  EXPECT_TRUE(TrimRightKeepOne(folder, '\\', ':'));
  EXPECT_EQ(folder, "a\\b");
  std::string japanese = kSo + "\\\\";
  EXPECT_TRUE(TrimRightKeepOne(japanese, '\\', '\\'));
  EXPECT_EQ(japanese, kSo);
  std::string only = kHyou;
  EXPECT_FALSE(TrimRightKeepOne(only, '\\', ':'));
  EXPECT_EQ(only, kHyou);

  std::string withSlash = kSo + "\\";
  EXPECT_TRUE(RemoveTrailing(withSlash, '\\'));
  EXPECT_EQ(withSlash, kSo);
  EXPECT_FALSE(RemoveTrailing(withSlash, '\\'));
  EXPECT_EQ(withSlash, kSo);
  std::string empty;
  EXPECT_FALSE(RemoveTrailing(empty, '\\'));
}
