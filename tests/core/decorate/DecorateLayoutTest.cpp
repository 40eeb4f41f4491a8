#include <gtest/gtest.h>

#include <string>

#include "DecorateTestSupport.h"
#include "core/common/Encoding.h"
#include "core/decorate/DecorateEditor.h"
#include "core/decorate/DecorateLayout.h"

using namespace nuvo;

namespace {

// One-byte characters 10 pixels wide at 9 points, two-byte ones 20, growing with the size; bold
// adds one pixel. Lines are as high as the size in points plus a descent of a third.
class FixedMeasure : public IDecorateMeasure {
 public:
  int CharWidth(std::string_view character, int size, std::uint32_t flags) override {
    return static_cast<int>(character.size()) * 10 * size / 90 + ((flags & DECO_BOLD) ? 1 : 0);
  }
  int Ascent(int size) override { return size / 10; }
  int Descent(int size) override { return size / 30; }
};

std::string Lines(const CDecorateLayout& layout) {
  std::string out;
  for (int i = 0; i < layout.LineCount(); ++i) {
    const DisplayLine& line = layout.Line(i);
    out += std::to_string(line.start) + "-" + std::to_string(line.end) +
           (line.lineBreak ? "/" : "") + "@" + std::to_string(line.y) + "h" +
           std::to_string(line.height) + "w" + std::to_string(line.width) +
           (line.centred ? "c" : "") + " ";
  }
  return out;
}

}  // namespace

TEST(DecorateLayout, WrapsBetweenCharactersAndGivesEachLineItsOwnHeight) {
  FixedMeasure measure;
  CDecorateEditor editor;
  editor.SetHtml("abcde" + Cp932("漢字") + "<br><font size=5>xy</font>z");
  CDecorateLayout layout(editor.Doc(), measure);
  layout.SetWidth(75);
  // 9 points: 9 + 3 high. The large letters at level 5 (15 points) make their line 15 + 5 high.
  EXPECT_EQ(Lines(layout), "0-7@0h12w70 7-9/@12h12w20 10-13@24h20w42 ");
  EXPECT_EQ(layout.Height(), 44);

  // The caret at a cut without a line break belongs to the line below; at a line break, above.
  EXPECT_EQ(layout.LineOf(7), 1);
  EXPECT_EQ(layout.LineOf(9), 1);
  EXPECT_EQ(layout.LineOf(10), 2);
  EXPECT_EQ(layout.LineOf(13), 2);
  EXPECT_EQ(layout.LineAtY(30), 2);
  EXPECT_EQ(layout.LineAtY(500), 2);
  EXPECT_EQ(layout.XOf(2, 12), 32);
  EXPECT_EQ(layout.PosAt(2, 34), 12);
  EXPECT_EQ(layout.PosAt(2, 30), 12);  // nearer to the right edge of the second letter
  EXPECT_EQ(layout.PosAt(0, 56), 5);   // the first half of the kanji
  EXPECT_EQ(layout.PosAt(0, 500), 7);
}

TEST(DecorateLayout, CentredLinesSitInTheMiddle) {
  FixedMeasure measure;
  CDecorateEditor editor;
  editor.SetHtml("<center>ab<br></center>cd<br>");
  CDecorateLayout layout(editor.Doc(), measure);
  layout.SetWidth(100);
  EXPECT_EQ(Lines(layout), "0-2/@0h12w20c 3-5/@12h12w20 6-6@24h12w0 ");
  EXPECT_EQ(layout.LineLeft(0), 40);
  EXPECT_EQ(layout.XOf(0, 1), 50);
  EXPECT_EQ(layout.PosAt(0, 0), 0);
}

// The layout kept up to date edit by edit must equal one made from scratch.
TEST(DecorateLayout, RelayingOutAfterEachEditMatchesAFreshLayout) {
  test::RandomText random(5122026);
  FixedMeasure measure;
  const std::uint32_t flags[] = {DECO_BOLD, DECO_SIZE, DECO_ALIGN, DECO_COLOR};
  for (int round = 0; round < 100; ++round) {
    CDecorateEditor editor(kDecoMultiLine | kDecoKeepHalfKana | kDecoAllowCentre);
    struct Relay : IDecorateEditListener {
      CDecorateLayout* layout = nullptr;
      void TextReplaced(int pos, int removed, int inserted) override {
        layout->TextReplaced(pos, removed, inserted);
      }
      void DecorationChanged(int start, int end, bool relayout) override {
        if (relayout) layout->Relayout(start, end);
      }
    } relay;
    CDecorateLayout layout(editor.Doc(), measure);
    layout.SetWidth(20 + random.Below(120));
    relay.layout = &layout;
    editor.SetListener(&relay);
    for (int step = 0; step < 40; ++step) {
      const std::string text = editor.Doc().Text();
      const int a = random.Boundary(text);
      const int b = random.Boundary(text);
      switch (random.Below(4)) {
        case 0:
        case 1:
          editor.MoveCaret(a, false);
          editor.TypeText(random.Text(6));
          break;
        case 2:
          editor.DeleteText(std::min(a, b), std::abs(a - b));
          break;
        default: {
          const std::uint32_t flag = flags[random.Below(4)];
          editor.ApplyDecoration(
              flag, std::min(a, b), std::max(a, b),
              {flag == DECO_SIZE ? editor.Doc().LevelToSize(1 + random.Below(7)) : kAlignCentre,
               {}});
        }
      }
      CDecorateLayout fresh(editor.Doc(), measure);
      fresh.SetWidth(layout.Width());
      ASSERT_EQ(Lines(layout), Lines(fresh)) << "round " << round << " step " << step;
    }
  }
}
