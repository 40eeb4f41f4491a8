#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

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
