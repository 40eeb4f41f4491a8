#include "core/common/MessageFormat.h"

#include <gtest/gtest.h>

#include "core/common/Encoding.h"

using namespace nuvo;

TEST(MessageFormat, FillsPositionalPlaceholdersByNumber) {
  EXPECT_EQ(FormatMessageText("%2!s! / %1!d!", {std::int64_t{7}, std::string("x")}), "x / 7");
  EXPECT_EQ(FormatMessageText("%1 and %1", {std::string("a")}), "a and a");
  EXPECT_EQ(FormatMessageText("[%1!5d!]", {std::int64_t{42}}), "[   42]");
}

TEST(MessageFormat, FillsSequentialPlaceholdersInOrder) {
  EXPECT_EQ(FormatMessageText(Cp932("%I64d～%I64d"), {std::int64_t{1}, std::int64_t{9999999999}}),
            Cp932("1～9999999999"));
  EXPECT_EQ(FormatMessageText("%s=%d%%", {std::string("rate"), std::int64_t{-5}}), "rate=-5%");
  EXPECT_EQ(FormatMessageText("ver=%08x", {std::int64_t{0x30009}}), "ver=00030009");
}

TEST(MessageFormat, LeavesOutMissingArgumentsAndKeepsStrayPercents) {
  EXPECT_EQ(FormatMessageText("%1!d!:%2!s!", {std::int64_t{1}}), "1:");
  EXPECT_EQ(FormatMessageText("100% sure", {}), "100% sure");
  EXPECT_EQ(FormatMessageText("end%", {}), "end%");
}

TEST(MessageFormat, NeverReadsATrailByteAsAPlaceholder) {
  // 0x81 0x25 is not a character, but a walk that steps bytes singly would see "%1" here.
  std::string pattern = "\x81%1";
  EXPECT_EQ(FormatMessageText(pattern, {std::string("X")}), "\x81%1");
  std::string kanji = Cp932("%1!d!枚目");
  EXPECT_EQ(Utf8FromCp932(FormatMessageText(kanji, {std::int64_t{3}})), "3枚目");
}
