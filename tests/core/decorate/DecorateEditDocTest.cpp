#include "core/decorate/DecorateEditDoc.h"

#include <gtest/gtest.h>

#include "DecorateTestSupport.h"
#include "core/common/Encoding.h"

using namespace nuvo;
using nuvo::test::Describe;
using nuvo::test::KeepsInvariants;

namespace {

constexpr int kRed = 0x0000FF;
constexpr int kBlue = 0xFF0000;

CDecorateEditDoc MakeDoc(const std::string& text) {
  CDecorateEditDoc doc;
  doc.InsertText(0, text, kDecorateInsert, false, false, false);
  return doc;
}

// Typing as the view does it: the ranges around the caret move and grow.
void Type(CDecorateEditDoc& doc, int pos, const std::string& text) {
  doc.InsertText(pos, text, kDecorateInsert, true, true, true);
}

}  // namespace

TEST(DecorateEditDoc, RemovingAFlagSplitsRangesAndKeepsTheOtherFlags) {
  CDecorateEditDoc doc = MakeDoc("0123456789ABCDEF");
  doc.AddDecoration(0, 10, DECO_BOLD);
  EXPECT_TRUE(doc.RemoveDecoration(3, 5, DECO_BOLD));
  EXPECT_EQ(Describe(doc), "[0,3)1 [5,10)1 ");

  doc.DeleteContents();
  doc.InsertText(0, "0123456789ABCDEF", kDecorateInsert, false, false, false);
  doc.AddDecoration(0, 10, DECO_BOLD);
  doc.AddDecoration(0, 10, DECO_ITALIC);  // the same bytes: one range with both flags
  EXPECT_EQ(Describe(doc), "[0,10)3 ");
  EXPECT_TRUE(doc.RemoveDecoration(3, 5, DECO_ITALIC));
  EXPECT_EQ(Describe(doc), "[0,3)3 [5,10)3 [3,5)1 ");

  EXPECT_FALSE(doc.RemoveDecoration(5, 5, DECO_BOLD));
  EXPECT_TRUE(KeepsInvariants(doc));
}

TEST(DecorateEditDoc, AddingFollowsTheValueRules) {
  CDecorateEditDoc doc = MakeDoc("0123456789ABCDEFGHIJ");
  doc.AddDecoration(0, 10, DECO_COLOR, {kRed, {}});
  doc.AddDecoration(5, 15, DECO_COLOR, {kBlue, {}});
  EXPECT_EQ(doc.GetColorAt(4), kRed);
  EXPECT_EQ(doc.GetColorAt(5), kBlue);
  EXPECT_EQ(doc.GetColorAt(14), kBlue);
  EXPECT_EQ(doc.GetColorAt(15), -1);

  // The same colour next to a range makes that range grow instead of adding one.
  doc.DeleteContents();
  doc.InsertText(0, "0123456789ABCDEFGHIJ", kDecorateInsert, false, false, false);
  doc.AddDecoration(0, 5, DECO_COLOR, {kRed, {}});
  doc.AddDecoration(5, 9, DECO_COLOR, {kRed, {}});
  EXPECT_EQ(Describe(doc), "[0,9)16 ");

  // Link addresses are the same ignoring case; the newer spelling is kept.
  doc.AddDecoration(10, 12, DECO_LINK, {0, "http://Example.jp/"});
  doc.AddDecoration(12, 14, DECO_LINK, {0, "HTTP://example.JP/"});
  EXPECT_EQ(Describe(doc), "[10,14)64 [0,9)16 ");
  std::string link;
  EXPECT_TRUE(doc.GetLinkAt(10, link));
  EXPECT_EQ(link, "HTTP://example.JP/");
  EXPECT_FALSE(doc.GetLinkAt(14, link));

  // A new range over older ranges of the same decoration absorbs them.
  doc.AddDecoration(2, 3, DECO_BOLD);
  doc.AddDecoration(6, 8, DECO_BOLD);
  doc.AddDecoration(1, 9, DECO_BOLD);
  EXPECT_EQ(Describe(doc), "[1,9)1 [10,14)64 [0,9)16 ");

  // A different size overlapping an older one makes a new range at the head, which wins.
  doc.AddDecoration(0, 4, DECO_SIZE, {150, {}});
  doc.AddDecoration(2, 6, DECO_SIZE, {210, {}});
  EXPECT_EQ(doc.GetSizeAt(1), 150);
  EXPECT_EQ(doc.GetSizeAt(3), 210);
  EXPECT_EQ(doc.Ranges().front()->Start(), 2);

  EXPECT_FALSE(doc.AddDecoration(-1, 3, DECO_BOLD));
  EXPECT_FALSE(doc.AddDecoration(3, 2, DECO_BOLD));
  EXPECT_TRUE(KeepsInvariants(doc));
}

TEST(DecorateEditDoc, QueriesReadTheRangesAsTheViewNeedsThem) {
  CDecorateEditDoc doc = MakeDoc("0123456789\nabcdef\n");
  doc.AddDecoration(0, 6, DECO_COLOR, {kRed, {}});
  doc.AddDecoration(4, 8, DECO_COLOR, {kBlue, {}});
  doc.AddDecoration(5, 7, DECO_BOLD);
  doc.AddDecoration(11, 18, DECO_ALIGN, {kAlignCentre, {}});

  // The pending typing style takes the value of the range nearest the tail.
  CDecorateCharRange style;
  doc.GetStyleAt(5, style);
  EXPECT_EQ(style.Flags(), DECO_COLOR | DECO_BOLD);
  EXPECT_EQ(style.Color(), static_cast<std::uint32_t>(kRed));
  EXPECT_EQ(doc.GetColorAt(5), kBlue);
  EXPECT_EQ(doc.GetAlignmentAt(12), kAlignCentre);

  EXPECT_TRUE(doc.IsAppliedToAll(1, 8, DECO_COLOR));  // two ranges without a gap
  EXPECT_FALSE(doc.IsAppliedToAll(1, 9, DECO_COLOR));
  EXPECT_FALSE(doc.IsAppliedToAll(8, 9, DECO_COLOR));
  EXPECT_TRUE(doc.IsAppliedToAll(5, 7, DECO_BOLD));

  std::vector<DecorateSpan> spans;
  EXPECT_TRUE(doc.CollectRanges(2, 9, DECO_COLOR, spans));
  ASSERT_EQ(spans.size(), 2u);  // from the tail: red first, clipped to the part asked for
  EXPECT_EQ(spans[0].start, 2);
  EXPECT_EQ(spans[0].end, 6);
  EXPECT_EQ(spans[0].value.number, kRed);
  EXPECT_EQ(spans[1].end, 8);
  EXPECT_EQ(spans[1].value.number, kBlue);
  EXPECT_FALSE(doc.CollectRanges(0, 9, DECO_LINK, spans));
}

TEST(DecorateEditDoc, CountsNeverEndInsideATwoByteCharacter) {
  const std::string kanji = Cp932("漢字");
  CDecorateEditDoc doc = MakeDoc("a" + kanji + "\nb");
  EXPECT_EQ(doc.AdjustToCharBoundary(0, 2, true), 3);
  EXPECT_EQ(doc.AdjustToCharBoundary(0, 2, false), 1);
  EXPECT_EQ(doc.AdjustToCharBoundary(0, 3, false), 3);
  std::string out;
  EXPECT_TRUE(doc.GetTextAt(1, out, 3, true, false));
  EXPECT_EQ(out, kanji.substr(0, 2));
  EXPECT_TRUE(doc.GetTextAt(1, out, 3, true, true));
  EXPECT_EQ(out, kanji);
}

TEST(DecorateEditDoc, TypedTextContinuesADecorationOnlyOnItsOwnLine) {
  CDecorateEditDoc doc = MakeDoc("bold\nnext");
  doc.AddDecoration(0, 4, DECO_BOLD);
  Type(doc, 4, "X");  // right after the bold word
  EXPECT_EQ(Describe(doc), "[0,5)1 ");
  doc.AddDecoration(0, 6, DECO_ITALIC);
  Type(doc, 6, "Y");  // at the start of the next line: the italic ends on the line before
  EXPECT_EQ(doc.GetFlagsAt(6), 0u);
  EXPECT_EQ(doc.GetFlagsAt(5), DECO_ITALIC);

  // At the very end of the text a line start still continues the decoration.
  CDecorateEditDoc end = MakeDoc("ab\n");
  end.AddDecoration(0, 3, DECO_UNDERLINE);
  Type(end, 3, "c");
  EXPECT_EQ(Describe(end), "[0,4)4 ");

  // Typing before a range moves it; typing inside a range without extending cuts it in two.
  CDecorateEditDoc cut = MakeDoc("abcdef");
  cut.AddDecoration(2, 5, DECO_STRIKE);
  Type(cut, 0, "_");
  EXPECT_EQ(Describe(cut), "[3,6)8 ");
  cut.InsertText(4, "--", kDecorateInsert, false, true, false);
  EXPECT_EQ(Describe(cut), "[3,4)8 [6,8)8 ");
  EXPECT_EQ(cut.GetText(), "_abc--def");

  EXPECT_TRUE(KeepsInvariants(cut));
}

TEST(DecorateEditDoc, OverwriteStaysOnItsLineAndOnWholeCharacters) {
  CDecorateEditDoc doc = MakeDoc("ab\ncd");
  doc.AddDecoration(3, 5, DECO_BOLD);
  doc.InsertText(0, "xyz", kDecorateOverwriteRoundUp, true, true, true);
  EXPECT_EQ(doc.GetText(), "xyz\ncd");
  EXPECT_EQ(Describe(doc), "[4,6)1 ");

  const std::string kanji = Cp932("漢");
  CDecorateEditDoc up = MakeDoc("a" + kanji + "b");
  up.InsertText(0, "xy", kDecorateOverwriteRoundUp, true, true, true);
  EXPECT_EQ(up.GetText(), "xyb");
  CDecorateEditDoc down = MakeDoc("a" + kanji + "b");
  down.InsertText(0, "xy", kDecorateOverwriteRoundDown, true, true, true);
  EXPECT_EQ(down.GetText(), "xy" + kanji + "b");

  // Overwritten characters hand their decoration to the new ones; a bound that would fall inside
  // a wider new character moves to its end.
  CDecorateEditDoc wide = MakeDoc("abcd");
  wide.AddDecoration(1, 4, DECO_ITALIC);
  wide.InsertText(0, kanji + "x", kDecorateOverwriteRoundUp, true, true, true);
  EXPECT_EQ(wide.GetText(), kanji + "xd");
  EXPECT_EQ(Describe(wide), "[2,4)2 ");

  // A shorter replacement takes the rest of what it overwrote away from the ranges.
  CDecorateEditDoc narrow = MakeDoc(kanji + kanji + "z");
  narrow.AddDecoration(4, 5, DECO_BOLD);
  narrow.InsertText(0, "q", kDecorateOverwriteRoundUp, true, true, true);
  EXPECT_EQ(narrow.GetText(), "q" + kanji + "z");
  EXPECT_EQ(Describe(narrow), "[3,4)1 ");
  EXPECT_TRUE(KeepsInvariants(narrow));
}

TEST(DecorateEditDoc, DeletingMovesCutsAndDropsRanges) {
  CDecorateEditDoc doc = MakeDoc("0123456789ABCDEF");
  doc.AddDecoration(2, 4, DECO_BOLD);         // inside the deleted part
  doc.AddDecoration(0, 6, DECO_ITALIC);       // holds its start
  doc.AddDecoration(5, 12, DECO_STRIKE);      // holds its end
  doc.AddDecoration(12, 14, DECO_UNDERLINE);  // after it
  doc.DeleteText(1, 8, true);
  EXPECT_EQ(doc.GetText(), "09ABCDEF");
  EXPECT_EQ(Describe(doc), "[4,6)4 [1,4)8 [0,1)2 ");

  doc.DeleteText(8, 1, true);  // at the end: nothing
  doc.DeleteText(0, 100, true);
  EXPECT_EQ(doc.GetLength(), 0);
  EXPECT_TRUE(doc.Ranges().empty());
}

TEST(DecorateEditDoc, CentredLinesStayOnWholeLines) {
  CDecorateEditDoc doc = MakeDoc("ab\ncd\nef\ngh");
  doc.AddDecoration(0, 3, DECO_ALIGN, {kAlignCentre, {}});
  doc.AddDecoration(6, 9, DECO_ALIGN, {kAlignCentre, {}});
  // The first line's end is cut: the range grows to the end of the line it now ends on.
  doc.DeleteText(1, 3, true);
  EXPECT_EQ(doc.GetText(), "ad\nef\ngh");
  EXPECT_EQ(Describe(doc), "[3,6)65536 [0,3)65536 ");

  // A line break typed into a centred line splits it into two centred lines.
  Type(doc, 4, "\n");
  EXPECT_EQ(Describe(doc), "[3,7)65536 [0,3)65536 ");

  // Joining a centred line to the one before: each range still covers whole lines.
  doc.DeleteText(2, 1, true);
  EXPECT_EQ(doc.GetText(), "ade\nf\ngh");
  EXPECT_EQ(Describe(doc), "[4,6)65536 [0,4)65536 ");
  EXPECT_TRUE(KeepsInvariants(doc));

  // Clearing decorations keeps the centring and splits a covering character range.
  doc.AddDecoration(0, 8, DECO_BOLD);
  EXPECT_TRUE(doc.ClearDecorations(2, 4));
  EXPECT_EQ(Describe(doc), "[0,2)1 [4,6)65536 [0,4)65536 [4,8)1 ");
  EXPECT_FALSE(doc.ClearDecorations(3, 3));
  EXPECT_TRUE(doc.RemoveDecoration(0, 4, DECO_ALIGN));
  EXPECT_EQ(Describe(doc), "[0,2)1 [4,6)65536 [4,8)1 ");
}

TEST(DecorateEditDoc, SizeLevelsFollowTheBaseSize) {
  CDecorateEditDoc doc;
  EXPECT_EQ(doc.LevelToSize(1), 90);
  EXPECT_EQ(doc.LevelToSize(0), 90);
  EXPECT_EQ(doc.LevelToSize(9), 320);
  EXPECT_EQ(doc.SizeToLevel(100), 3);
  EXPECT_EQ(doc.SizeToLevel(240), 6);

  EXPECT_TRUE(doc.SetBaseSize(90));
  EXPECT_FALSE(doc.SetBaseSize(90));
  const int base90[] = {60, 75, 90, 110, 150, 210, 290};
  for (int level = 1; level <= 7; ++level) {
    EXPECT_EQ(doc.LevelToSize(level), base90[level - 1]);
    EXPECT_EQ(doc.SizeToLevel(base90[level - 1]), level);
  }
  doc.SetBaseSize(105);
  EXPECT_EQ(doc.LevelToSize(1), 75);
  EXPECT_EQ(doc.LevelToSize(7), 305);
  EXPECT_EQ(doc.SizeToLevel(60), 3);
}
