#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "DecorateTestSupport.h"
#include "core/decorate/DecorateEditDoc.h"

using namespace nuvo;
using nuvo::test::RandomText;

namespace {

// A model made the way the editor's commands make one: decorations of every kind over random
// parts, overlapping and nested, some removed or cleared again, with text typed and deleted
// in between.
void Decorate(CDecorateEditDoc& doc, RandomText& random) {
  static const int kColors[] = {0x0000FF, 0x800000, 0x000000, 0xFFFFFF, 0x123456, 0x00FF00};
  static const std::uint32_t kPlain[] = {DECO_BOLD, DECO_ITALIC, DECO_UNDERLINE, DECO_STRIKE};
  const int steps = random.Below(12);
  for (int step = 0; step < steps; ++step) {
    const std::string text = doc.GetText();
    int a = random.Boundary(text);
    int b = random.Boundary(text);
    if (a > b) std::swap(a, b);
    switch (random.Below(9)) {
      case 0:
      case 1:
        doc.AddDecoration(a, b, kPlain[random.Below(4)]);
        break;
      case 2:
        doc.AddDecoration(a, b, DECO_COLOR, {kColors[random.Below(6)], {}});
        break;
      case 3:
        doc.AddDecoration(a, b, DECO_SIZE, {doc.LevelToSize(1 + random.Below(7)), {}});
        break;
      case 4: {
        // Addresses without spaces or ">", in either case.
        std::string address = random.OneIn(2) ? "http://example.jp/?id=" : "HTTP://Example.JP/";
        address += std::to_string(random.Below(3));
        doc.AddDecoration(a, b, DECO_LINK, {0, address});
        break;
      }
      case 5: {
        int from = random.LineBound(text);
        int to = random.LineBound(text);
        if (from > to) std::swap(from, to);
        if (from < to) doc.AddDecoration(from, to, DECO_ALIGN, {kAlignCentre, {}});
        break;
      }
      case 6:
        doc.RemoveDecoration(a, b, kPlain[random.Below(4)] | (random.OneIn(2) ? DECO_COLOR : 0));
        break;
      case 7:
        doc.InsertText(a, random.Text(3), kDecorateInsert, random.OneIn(2), true, true);
        break;
      default:
        if (random.OneIn(3)) {
          doc.ClearDecorations(a, b);
        } else {
          doc.DeleteText(a, b - a, true);
        }
        break;
    }
  }
}

testing::AssertionResult SameAtEveryPosition(const CDecorateEditDoc& made,
                                             const CDecorateEditDoc& read) {
  if (made.GetText() != read.GetText()) {
    return testing::AssertionFailure() << "the text differs";
  }
  for (int pos = 0; pos < made.GetLength(); ++pos) {
    std::string madeLink = "none";
    std::string readLink = "none";
    made.GetLinkAt(pos, madeLink);
    read.GetLinkAt(pos, readLink);
    if (made.GetFlagsAt(pos) != read.GetFlagsAt(pos) ||
        made.GetColorAt(pos) != read.GetColorAt(pos) ||
        made.GetSizeAt(pos) != read.GetSizeAt(pos) || madeLink != readLink ||
        made.GetAlignmentAt(pos) != read.GetAlignmentAt(pos)) {
      return testing::AssertionFailure() << "the decoration differs at " << pos;
    }
  }
  return testing::AssertionSuccess();
}

}  // namespace

TEST(DecorateRoundTrip, WriterThenReaderGivesBackTheSameDecoratedText) {
  RandomText random(77);
  for (int round = 0; round < 4000; ++round) {
    CDecorateEditDoc made;
    made.SetBaseSize(90);
    made.InsertText(0, random.Text(24), kDecorateInsert, false, false, false);
    Decorate(made, random);

    std::string html;
    made.GetHtml(html);
    CDecorateEditDoc read;
    read.SetBaseSize(90);
    ASSERT_TRUE(read.SetHtml(html)) << html;
    ASSERT_TRUE(SameAtEveryPosition(made, read)) << "round " << round << ": " << html;

    // The fragment is the writer's own form: writing the read model gives it again.
    std::string again;
    read.GetHtml(again);
    ASSERT_EQ(again, html);
  }
}

TEST(DecorateRoundTrip, ALinkAddressCannotEndItsTag) {
  // Entities in an address read as its own bytes; written back they must not become markup.
  CDecorateEditDoc read;
  EXPECT_TRUE(read.SetHtml("<a href=http://x/&gt;&lt;img&quot;src=y&gt;&amp;q>link</a>"));
  std::string link;
  EXPECT_TRUE(read.GetLinkAt(0, link));
  EXPECT_EQ(link, "http://x/><img\"src=y>&q");
  std::string html;
  read.GetHtml(html);
  EXPECT_EQ(html, "<a href=http://x/%3E%3Cimg%22src=y%3E&amp;q>link</a>");
}

// Addresses of any bytes: the fragment holds only the writer's own tags, the read model keeps
// every decoration, and writing it again gives the same fragment.
TEST(DecorateRoundTrip, LinksOfEveryByteWriteAndReadBackStably) {
  RandomText random(18);
  for (int round = 0; round < 2000; ++round) {
    CDecorateEditDoc made;
    made.SetBaseSize(90);
    made.InsertText(0, random.Text(12), kDecorateInsert, false, false, false);
    Decorate(made, random);
    std::string address = "http://x/";
    for (int n = random.Below(12); n > 0; --n) address += static_cast<char>(random.Below(256));
    const int length = made.GetLength();
    made.AddDecoration(random.Boundary(made.GetText()), length, DECO_LINK, {0, address});

    std::string html;
    made.GetHtml(html);
    CDecorateEditDoc read;
    read.SetBaseSize(90);
    ASSERT_TRUE(read.SetHtml(html)) << html;
    EXPECT_EQ(read.GetText(), made.GetText()) << html;
    for (int pos = 0; pos < length; ++pos) {
      ASSERT_EQ(read.GetFlagsAt(pos), made.GetFlagsAt(pos)) << pos << ": " << html;
    }
    std::string again;
    read.GetHtml(again);
    ASSERT_EQ(again, html);
  }
}
