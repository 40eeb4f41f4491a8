#include <gtest/gtest.h>

#include "DecorateTestSupport.h"
#include "core/decorate/DecorateConverter.h"
#include "core/decorate/DecorateEditDoc.h"

using namespace nuvo;
using nuvo::test::Describe;

namespace {

constexpr int kRed = 0x0000FF;

CDecorateEditDoc MakeDoc(const std::string& text) {
  CDecorateEditDoc doc;
  doc.SetBaseSize(90);
  doc.InsertText(0, text, kDecorateInsert, false, false, false);
  return doc;
}

std::string Html(const CDecorateEditDoc& doc, int start = -1, int count = -1) {
  std::string html = "left over";
  doc.GetHtml(html, start, count);
  return html;
}

}  // namespace

TEST(DecorateHtmlWriter, NestsInTheFixedOrderAndLetsLaterTagsCross) {
  CDecorateEditDoc doc = MakeDoc("abcd");
  doc.AddDecoration(0, 4, DECO_BOLD);
  doc.AddDecoration(2, 4, DECO_ITALIC);
  EXPECT_EQ(Html(doc), "<b>ab<i>cd</i></b>");

  CDecorateEditDoc crossed = MakeDoc("abcd");
  crossed.AddDecoration(0, 4, DECO_ITALIC);
  crossed.AddDecoration(2, 4, DECO_BOLD);
  EXPECT_EQ(Html(crossed), "<i>ab<b>cd</i></b>");

  // Closing bold closes the italic inside it, which opens again.
  CDecorateEditDoc inside = MakeDoc("abcd");
  inside.AddDecoration(0, 4, DECO_ITALIC);
  inside.AddDecoration(0, 2, DECO_BOLD);
  EXPECT_EQ(Html(inside), "<b><i>ab</i></b><i>cd</i>");

  // A change of size closes the font tag and opens one with the colour alone.
  CDecorateEditDoc font = MakeDoc("abcd");
  font.AddDecoration(0, 4, DECO_COLOR, {kRed, {}});
  font.AddDecoration(0, 2, DECO_SIZE, {font.LevelToSize(5), {}});
  EXPECT_EQ(Html(font), "<font size=5 color=red>ab</font><font color=red>cd</font>");

  CDecorateEditDoc linked = MakeDoc("abcd");
  linked.AddDecoration(0, 4, DECO_LINK, {0, "http://x.jp/"});
  linked.AddDecoration(2, 4, DECO_COLOR, {kRed, {}});
  EXPECT_EQ(Html(linked), "<a href=http://x.jp/>ab<font color=red>cd</font></a>");

  CDecorateEditDoc inner = MakeDoc("abcd");
  inner.AddDecoration(0, 3, DECO_COLOR, {0x123456, {}});
  inner.AddDecoration(2, 4, DECO_LINK, {0, "u"});
  EXPECT_EQ(Html(inner), "<font color=#563412>ab<a href=u>c</font>d</a>");

  // A closing outer tag closes everything inside it, which opens again where it goes on.
  CDecorateEditDoc cascade = MakeDoc("abcd");
  cascade.AddDecoration(0, 4, DECO_STRIKE);
  cascade.AddDecoration(0, 2, DECO_UNDERLINE);
  cascade.AddDecoration(0, 4, DECO_LINK, {0, "u"});
  cascade.AddDecoration(2, 4, DECO_LINK, {0, "v"});
  EXPECT_EQ(Html(cascade), "<a href=u><u><s>ab</s></u></a><a href=v><s>cd</s></a>");
}

TEST(DecorateHtmlWriter, WritesTextLinesAndParts) {
  CDecorateEditDoc doc = MakeDoc("a  \"<&>\"\nb\nc");
  EXPECT_EQ(Html(doc), "a&nbsp;&nbsp;&quot;&lt;&amp;&gt;&quot;<br>b<br>c");

  CDecorateEditDoc lines = MakeDoc("ab\ncd\nef");
  lines.AddDecoration(1, 4, DECO_BOLD);
  lines.AddDecoration(3, 6, DECO_ALIGN, {kAlignCentre, {}});
  EXPECT_EQ(Html(lines), "a<b>b<br><center>c</b>d<br></center>ef");
  EXPECT_EQ(Html(lines, 2, 2), "<b><br><center>c</b></center>");
  EXPECT_EQ(Html(lines, 4), "<center>d<br></center>ef");

  EXPECT_EQ(Html(lines, 0, 0), "");
  EXPECT_EQ(Html(lines, -5, 2), "");
  EXPECT_EQ(Html(MakeDoc("")), "");

  // A two-byte character is copied whole, even when its trail byte looks like markup.
  const std::string so = Cp932("ソ表");
  EXPECT_EQ(Html(MakeDoc(so)), so);
  // A lead byte without its trail byte does not hide the markup after it.
  EXPECT_EQ(Html(MakeDoc("\x8A<\x8A\n")), "\x8A&lt;\x8A<br>");
}

TEST(DecorateHtmlReader, ReadsTheTagSetAndItsRelatives) {
  CDecorateEditDoc doc = MakeDoc("");
  EXPECT_TRUE(doc.SetHtml("x<B>ab</B>"));
  EXPECT_EQ(doc.GetText(), "xab");
  EXPECT_EQ(Describe(doc), "[1,3)1 ");

  EXPECT_TRUE(doc.SetHtml("<font color=#FF0000 size=7>x</font><font color=Navy>y</font>"));
  EXPECT_EQ(doc.GetColorAt(0), kRed);
  EXPECT_EQ(doc.GetSizeAt(0), doc.LevelToSize(7));
  EXPECT_EQ(doc.GetColorAt(1), 0x800000);
  EXPECT_EQ(doc.Ranges().size(), 2u);

  // Tags opened and closed together make one range.
  EXPECT_TRUE(doc.SetHtml("<b><i><a href=\"q\">x</a></i></b>"));
  EXPECT_EQ(Describe(doc), "[0,1)67 ");
  std::string link;
  EXPECT_TRUE(doc.GetLinkAt(0, link));
  EXPECT_EQ(link, "\"q\"");  // quotes stay

  // Quoted values read as black and as level 1; unknown colours as black.
  EXPECT_TRUE(doc.SetHtml("<font color=\"red\" size=\"7\">x</font><font color=pink>y</font>"));
  EXPECT_EQ(doc.GetColorAt(0), 0);
  EXPECT_EQ(doc.GetSizeAt(0), doc.LevelToSize(1));
  EXPECT_EQ(doc.GetColorAt(1), 0);
  EXPECT_TRUE(doc.SetHtml("<font color=#GG00ff>x</font>"));
  EXPECT_EQ(doc.GetColorAt(0), 0xFF0000);

  // Attribute names ignore case, and the pairs survive odd spacing.
  EXPECT_TRUE(doc.SetHtml("<font  SIZE=5   color =blue face=x>x</font>"));
  EXPECT_EQ(doc.GetSizeAt(0), doc.LevelToSize(5));
  EXPECT_EQ(doc.GetColorAt(0), 0xFF0000);

  // Centring in a div is understood, but the fragment is not the program's own.
  EXPECT_FALSE(doc.SetHtml("<div align=CENTER>ab<br></div>cd"));
  EXPECT_EQ(doc.GetText(), "ab\ncd");
  EXPECT_EQ(doc.GetAlignmentAt(1), kAlignCentre);
  EXPECT_EQ(doc.GetAlignmentAt(3), 0);

  // An end tag closes the latest open range with its attribute, so crossed tags read back.
  EXPECT_TRUE(doc.SetHtml("<i>ab<b>cd</i>e</b>"));
  EXPECT_EQ(Describe(doc), "[0,4)2 [2,5)1 ");

  // A tag never closed decorates nothing and is no fault.
  EXPECT_TRUE(doc.SetHtml("<b>ab"));
  EXPECT_EQ(doc.GetFlagsAt(0), 0u);
}

TEST(DecorateHtmlReader, DecodesTextOnceAndReportsWhatItDropped) {
  CDecorateEditDoc doc = MakeDoc("");
  EXPECT_TRUE(doc.SetHtml("&amp;lt;&lt;b&gt;&nbsp;&copy;\t|\r\na<br>b"));
  EXPECT_EQ(doc.GetText(), "&lt;<b> &copy;    |a\nb");
  EXPECT_TRUE(doc.Ranges().empty());

  EXPECT_FALSE(doc.SetHtml("a<BR>b"));
  EXPECT_EQ(doc.GetText(), "ab");
  EXPECT_FALSE(doc.SetHtml("a>b"));
  EXPECT_EQ(doc.GetText(), "ab");
  EXPECT_FALSE(doc.SetHtml("<p>a</p><br/>b"));
  EXPECT_EQ(doc.GetText(), "ab");
  EXPECT_FALSE(doc.SetHtml("a</b>b"));
  EXPECT_FALSE(doc.SetHtml("<font face=x>a</font>"));
  EXPECT_TRUE(doc.Ranges().empty());
  EXPECT_FALSE(doc.SetHtml("a<b"));
  EXPECT_EQ(doc.GetText(), "a");

  // Normalising rewrites only what was understood in full.
  CDecorateConverter converter;
  std::string html = "<B>x</B><font color=#ff0000>y</font>";
  EXPECT_TRUE(converter.Normalize(html));
  EXPECT_EQ(html, "<b>x</b><font color=red>y</font>");
  html = "<p>x</p>";
  EXPECT_FALSE(converter.Normalize(html));
  EXPECT_EQ(html, "<p>x</p>");
}

// Fragments from anywhere: pieces of tags, entities, stray brackets and cut two-byte characters
// must read and write back without harm, and the writer's form of them must read in full.
TEST(DecorateHtmlReader, SurvivesArbitraryFragments) {
  static const char* const kPieces[] = {"<b>",
                                        "</b>",
                                        "<i>",
                                        "</I>",
                                        "<center>",
                                        "</center>",
                                        "<font size=9 color=#zz>",
                                        "</font>",
                                        "<a href=x>",
                                        "</a>",
                                        "<div align=center>",
                                        "</div>",
                                        "<",
                                        ">",
                                        "</",
                                        "&",
                                        "&amp;",
                                        "&lt;",
                                        "<br>",
                                        "\t",
                                        "\r\n",
                                        "a",
                                        " ",
                                        "\x8A",
                                        "\xBF",
                                        "\x83\x5C",
                                        "=",
                                        "\"",
                                        "<font "};
  nuvo::test::RandomText random(5);
  for (int round = 0; round < 2000; ++round) {
    std::string html;
    for (int i = random.Below(16); i > 0; --i) html += kPieces[random.Below(29)];
    CDecorateEditDoc doc = MakeDoc("");
    doc.SetHtml(html);
    std::string written = Html(doc);
    CDecorateEditDoc again = MakeDoc("");
    EXPECT_TRUE(again.SetHtml(written)) << html << " => " << written;
  }
}

TEST(DecorateHtmlReader, PlacesAByteOfStoredMarkupInTheEditorsText) {
  CDecorateConverter converter;
  converter.SetBaseSize(90);
  const std::string html = "<b>a&amp;b</b><br><font color=\"#ff0000\">cd</font>";
  const auto at = [&](std::string_view needle) {
    return converter.TextOffsetOf(html, html.find(needle));
  };
  EXPECT_EQ(at("a&"), 0);
  EXPECT_EQ(at("b</b>"), 2);  // the entity is one character
  EXPECT_EQ(at("cd"), 4);     // the line break is one too
  EXPECT_EQ(at("color"), -1);
  EXPECT_EQ(at("amp;"), -1);
}
