#include "core/html/HtmlEscape.h"

#include <gtest/gtest.h>

#include "core/common/Encoding.h"

using namespace nuvo;

TEST(HtmlEscape, EscapesEachSpecialCharacterOnce) {
  std::string text = "a & b \"<i>\"";
  EscapeHtml(text);
  EXPECT_EQ(text, "a&nbsp;&amp;&nbsp;b&nbsp;&quot;&lt;i&gt;&quot;");

  std::string japanese = Cp932("ソ表 <");
  EscapeHtml(japanese);
  EXPECT_EQ(japanese, Cp932("ソ表&nbsp;&lt;"));
}

TEST(HtmlEscape, UnescapesInOnePass) {
  std::string text = "&amp;lt; &quot;x&quot; &#38;&#038;&#39;&#039; &lt;b&gt;";
  EXPECT_TRUE(UnescapeHtml(text));
  EXPECT_EQ(text, "&lt; \"x\" &&'' <b>");

  std::string nbsp = "a&nbsp;b&amp;";
  EXPECT_TRUE(UnescapeHtml(nbsp, true));
  EXPECT_EQ(nbsp, "a&nbsp;b&");

  std::string unknown = "&copy; & &amp";
  EXPECT_FALSE(UnescapeHtml(unknown));
  EXPECT_EQ(unknown, "&copy; & &amp");
}

TEST(HtmlEscape, EscapeThenUnescapeRestoresTheText) {
  const std::string original = Cp932("表示 & \"ソ\" <b>x</b> ");
  std::string text = original;
  EscapeHtml(text);
  UnescapeHtml(text);
  EXPECT_EQ(text, original);
}
