#include "core/html/HtmlColor.h"

#include <gtest/gtest.h>

using namespace nuvo;

TEST(HtmlColor, WritesNamesOrHexInRedGreenBlueOrder) {
  EXPECT_EQ(ColorToHtml(0x0000FF, true), "red");
  EXPECT_EQ(ColorToHtml(0x0000FF, false), "#FF0000");
  EXPECT_EQ(ColorToHtml(0xFF0000, true), "blue");
  EXPECT_EQ(ColorToHtml(0x800080, true), "purple");
  EXPECT_EQ(ColorToHtml(0x123456, true), "#563412");
  EXPECT_EQ(ColorToHtml(kNoColor, true), "");
}

TEST(HtmlColor, ReadsNamesAndHex) {
  EXPECT_EQ(HtmlToColor("Fuchsia"), 0xFF00FF);
  EXPECT_EQ(HtmlToColor("#563412"), 0x123456);
  EXPECT_EQ(HtmlToColor("#aBcDeF"), 0xEFCDAB);
  EXPECT_EQ(HtmlToColor("#12345"), kNoColor);
  EXPECT_EQ(HtmlToColor("#12345G"), kNoColor);
  EXPECT_EQ(HtmlToColor("orange"), kNoColor);
  EXPECT_EQ(HtmlToColor(""), kNoColor);
  for (std::int32_t color : {0x000000, 0xC0C0C0, 0x008080, 0x00FFFF, 0x808000, 0x0A0B0C}) {
    EXPECT_EQ(HtmlToColor(ColorToHtml(color, true)), color);
    EXPECT_EQ(HtmlToColor(ColorToHtml(color, false)), color);
  }
}
