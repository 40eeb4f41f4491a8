#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "DecorateTestSupport.h"
#include "core/decorate/DecorateEditDoc.h"

using namespace nuvo;
using nuvo::test::KeepsInvariants;
using nuvo::test::RandomText;

namespace {

const std::uint32_t kCharFlags[] = {DECO_BOLD,  DECO_ITALIC, DECO_UNDERLINE, DECO_STRIKE,
                                    DECO_COLOR, DECO_SIZE,   DECO_LINK};

std::pair<int, int> Ordered(int a, int b) { return {std::min(a, b), std::max(a, b)}; }

}  // namespace

// Random edits as the editor makes them: every step must leave valid, non-empty ranges on
// character boundaries, and line ranges on whole lines.
TEST(DecorateEditSequence, EveryEditKeepsTheInvariants) {
  RandomText random(20261205);
  for (int round = 0; round < 300; ++round) {
    CDecorateEditDoc doc;
    doc.InsertText(0, random.Text(30), kDecorateInsert, false, false, false);
    for (int step = 0; step < 60; ++step) {
      const std::string text = doc.GetText();
      std::string action;
      switch (random.Below(6)) {
        case 0:
        case 1: {
          const int overwrite = random.Below(3);
          doc.InsertText(random.Boundary(text), random.Text(4), overwrite, random.OneIn(2), true,
                         random.OneIn(2));
          action = "insert, mode " + std::to_string(overwrite);
          break;
        }
        case 2: {
          auto [a, b] = Ordered(random.Boundary(text), random.Boundary(text));
          doc.DeleteText(a, b - a, true);
          action = "delete";
          break;
        }
        case 3: {
          auto [a, b] = Ordered(random.Boundary(text), random.Boundary(text));
          if (a == b) break;
          const std::uint32_t flag = kCharFlags[random.Below(7)];
          doc.AddDecoration(a, b, flag, {random.Below(3) * 30 + 60, random.OneIn(2) ? "x" : "X"});
          action = "add " + std::to_string(flag);
          break;
        }
        case 4: {
          const bool line = random.OneIn(3);
          auto [a, b] = line ? Ordered(random.LineBound(text), random.LineBound(text))
                             : Ordered(random.Boundary(text), random.Boundary(text));
          if (a == b) break;
          const std::uint32_t flag = line ? DECO_ALIGN : kCharFlags[random.Below(7)];
          if (random.OneIn(2)) {
            doc.AddDecoration(a, b, flag, {line ? kAlignCentre : random.Below(2), "y"});
            action = "add " + std::to_string(flag);
          } else {
            doc.RemoveDecoration(a, b, flag);
            action = "remove " + std::to_string(flag);
          }
          break;
        }
        default: {
          auto [a, b] = Ordered(random.Boundary(text), random.Boundary(text));
          doc.ClearDecorations(a, b);
          action = "clear";
          break;
        }
      }
      ASSERT_TRUE(KeepsInvariants(doc)) << "round " << round << ", step " << step << ": " << action;
    }
  }
}

// A seller's session: bursts of typing at a caret, backspaces, a step or two aside, jumps,
// decorations and line breaks. The document that is never read between edits keeps moving the
// ranges after the caret as one pending shift; the one read after every edit has them written in
// each time. Both must end with the same ranges and fragment.
TEST(DecorateEditSequence, TypingWithoutReadingMovesTheRangesAsReadingAfterEachKey) {
  RandomText random(20261206);
  for (int round = 0; round < 200; ++round) {
    CDecorateEditDoc unread;
    CDecorateEditDoc read;
    const std::string start = random.Text(40);
    for (CDecorateEditDoc* doc : {&unread, &read}) {
      doc->InsertText(0, start, kDecorateInsert, false, false, false);
    }
    for (int i = 0; i < 6; ++i) {
      const auto [a, b] = Ordered(random.Boundary(start), random.Boundary(start));
      const auto [lineA, lineB] = Ordered(random.LineBound(start), random.LineBound(start));
      for (CDecorateEditDoc* doc : {&unread, &read}) {
        if (a < b) doc->AddDecoration(a, b, kCharFlags[i % 7], {60 + i, "z"});
        if (lineA < lineB) doc->AddDecoration(lineA, lineB, DECO_ALIGN, {kAlignCentre, {}});
      }
    }
    int caret = random.Boundary(start);
    std::string log;
    for (int step = 0; step < 80; ++step) {
      const std::string text = read.GetText();
      // A caret a character or two aside lands on the edges of what was just typed.
      auto near = [&](int from) {
        const std::vector<bool> boundary = test::CharBoundaries(text);
        int pos = std::clamp(from + random.Below(7) - 3, 0, static_cast<int>(text.size()));
        while (!boundary[pos]) --pos;
        return pos;
      };
      std::function<void(CDecorateEditDoc&)> edit;
      switch (random.Below(10)) {
        case 0:
          caret = random.OneIn(3) ? random.Boundary(text) : near(caret);
          log += "move " + std::to_string(caret) + "; ";
          continue;
        case 1:
        case 2: {
          // Backspace over what lies before the caret, typed just now or not.
          const int from = std::min(near(caret), caret);
          edit = [=](CDecorateEditDoc& doc) { doc.DeleteText(from, caret - from, true); };
          log += "delete " + std::to_string(from) + "-" + std::to_string(caret) + "; ";
          caret = from;
          break;
        }
        case 3: {
          const auto span = Ordered(caret, near(caret));
          if (span.first == span.second) continue;
          const std::uint32_t flag = kCharFlags[random.Below(7)];
          edit = [=](CDecorateEditDoc& doc) {
            doc.AddDecoration(span.first, span.second, flag, {90, "y"});
          };
          log += "decorate; ";
          break;
        }
        default: {
          const std::string typed = random.Text(3);
          edit = [=](CDecorateEditDoc& doc) {
            doc.InsertText(caret, typed, kDecorateInsert, true, true, true);
          };
          log += "type " + std::to_string(typed.size()) + " at " + std::to_string(caret) + "; ";
          caret += static_cast<int>(typed.size());
          break;
        }
      }
      edit(unread);
      edit(read);
      read.Ranges();
    }
    ASSERT_EQ(test::Describe(unread), test::Describe(read)) << "round " << round << ": " << log;
    std::string unreadHtml;
    std::string readHtml;
    unread.GetHtml(unreadHtml);
    read.GetHtml(readHtml);
    ASSERT_EQ(unreadHtml, readHtml) << "round " << round;
    ASSERT_TRUE(KeepsInvariants(unread)) << "round " << round << ": " << log;
  }
}
