#include "core/html/HtmlElement.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/common/Encoding.h"
#include "core/html/AmountText.h"

using namespace nuvo;

TEST(HtmlElement, WritesAttributesInTheOrderFirstSetAndEmptyValuesByName) {
  CHtmlElement table("table");
  table.SetAttribute("border", 0).SetAttribute("width", "95%").SetAttribute("noshade", "");
  table.SetAttribute("border", 2);  // keeps its first place
  CHtmlElement& cell = table.AddElement("tr").AddElement("TD");
  cell.AddText("a").AddElement("b").AddText("x");
  cell.AddText("c");
  EXPECT_EQ(table.ToString(),
            "<table border=\"2\" width=\"95%\" noshade><tr><TD>a<b>x</b>c</TD></tr></table>");
  EXPECT_TRUE(table.HasAttribute("noshade"));
  EXPECT_FALSE(table.HasAttribute("Border"));
  EXPECT_EQ(CHtmlElement("p").ToString(), "<p></p>");
}

TEST(AmountText, GroupsDigitsByThreeFromTheRight) {
  const std::string yen = Cp932(" 円");
  EXPECT_EQ(AmountText(0), "0" + yen);
  EXPECT_EQ(AmountText(999), "999" + yen);
  EXPECT_EQ(AmountText(1000), "1,000" + yen);
  EXPECT_EQ(AmountText(1234567), "1,234,567" + yen);
  EXPECT_EQ(AmountText(-120000), "-120,000" + yen);
  EXPECT_EQ(AmountText(std::numeric_limits<std::int64_t>::min()),
            "-9,223,372,036,854,775,808" + yen);
}
