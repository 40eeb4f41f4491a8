#include "core/html/LineBreak.h"

#include <gtest/gtest.h>

#include "core/common/Encoding.h"

using namespace nuvo;

TEST(LineBreak, KnowsWhichCharactersMayNotStartOrEndALine) {
  // "ー" is 81 5B and "ボ" 83 7B.
  const std::string text = Cp932("a)。ｰ（「ーボ");
  EXPECT_FALSE(IsNoLineStartChar(text, 0));
  EXPECT_TRUE(IsNoLineStartChar(text, 1));
  EXPECT_TRUE(IsNoLineStartChar(text, 2));
  EXPECT_TRUE(IsNoLineStartChar(text, 4));
  EXPECT_TRUE(IsNoLineEndChar(text, 5));
  EXPECT_TRUE(IsNoLineEndChar(text, 7));
  EXPECT_FALSE(IsNoLineStartChar(text, 5));
  // "ー" and "ボ" end in "[" and "{" but are no opening brackets; taken alone, their bytes are.
  EXPECT_TRUE(IsNoLineStartChar(text, 9));
  EXPECT_FALSE(IsNoLineEndChar(text, 9));
  EXPECT_FALSE(IsNoLineEndChar(text, 11));
  EXPECT_TRUE(IsNoLineEndChar(text, 12, 1));
  // The second byte of "。" (81 42) and the first of "、" (81 41) make no character of the set.
  EXPECT_FALSE(IsNoLineStartChar("\x42\x81", 0, 2));
  EXPECT_FALSE(IsNoLineStartChar("\x81", 0));
  EXPECT_FALSE(IsNoLineEndChar("", 0));
}
