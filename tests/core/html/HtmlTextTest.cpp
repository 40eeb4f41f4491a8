#include "core/html/HtmlText.h"

#include <gtest/gtest.h>

#include "core/common/Encoding.h"

using namespace nuvo;

TEST(HtmlText, StripTagsKeepsEitherTheTextOrTheTags) {
  std::string html = Cp932("a<b>ソ表</b>c> <i");
  std::string text = html;
  StripTags(text, true);
  EXPECT_EQ(text, Cp932("aソ表c> "));
  StripTags(html, false);
  EXPECT_EQ(html, "<b></b><i");

  std::string empty;
  StripTags(empty, true);
  EXPECT_EQ(empty, "");
}

TEST(HtmlText, HtmlToTextReplacesLineBreaksStripsAndDecodes) {
  EXPECT_EQ(HtmlToText("a<BR>b<br />c&nbsp;&amp;lt;<b>d</b><bread>", "\r\n"), "a\r\nb\r\nc &lt;d");
  EXPECT_EQ(HtmlToText("a<br>b", ""), "ab");
  EXPECT_EQ(HtmlToText(Cp932("ソ<br>表"), "|"), Cp932("ソ|表"));
}

TEST(HtmlText, SpanWalksTagsWholeAndCountsEntitiesAndCharactersAsOne) {
  EXPECT_EQ(HtmlSpanOfChars("ab<b>cd", 0, 3, false), 6u);
  // Tags right after the last character come along; an entity is one character.
  EXPECT_EQ(HtmlSpanOfChars("ab</b><i>cd", 0, 2, false), 9u);
  EXPECT_EQ(HtmlSpanOfChars("&amp;&lt;x", 0, 2, false), 9u);
  // A two-byte character is one character, whatever its second byte.
  const std::string japanese = Cp932("ソ表x");
  EXPECT_EQ(HtmlSpanOfChars(japanese, 0, 2, false), 4u);
  EXPECT_EQ(HtmlSpanOfChars(japanese, 2, 1, false), 2u);
  EXPECT_EQ(HtmlSpanOfChars("ab", 0, 5, false), 2u);
  EXPECT_EQ(HtmlSpanOfChars("ab", 2, 1, false), 0u);
  EXPECT_EQ(HtmlSpanOfChars("", 0, 1, false), 0u);
  EXPECT_EQ(HtmlSpanOfChars("abc", 0, 0, false), 0u);
}

TEST(HtmlText, SpanCountsLineBreaksOnlyWhenAsked) {
  EXPECT_EQ(HtmlSpanOfChars("a<br>b", 0, 2, false), 6u);
  EXPECT_EQ(HtmlSpanOfChars("a<BR/>b", 0, 2, true), 6u);
  // The walk stops before a line break that would come after the last character.
  EXPECT_EQ(HtmlSpanOfChars("ab<br>c", 0, 2, true), 2u);
  EXPECT_EQ(HtmlSpanOfChars("ab<b>c", 0, 2, true), 5u);
}
