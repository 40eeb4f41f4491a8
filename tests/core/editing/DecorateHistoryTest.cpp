#include "core/editing/DecorateHistory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EditingFixture.h"
#include "core/common/Encoding.h"
#include "core/document/NuvoDoc.h"

using namespace nuvo;

namespace {

// Hands the editor's announcements to the history, as the sheet's pages do.
struct Relay : IDecorateEditListener {
  CDecorateHistory* history = nullptr;
  void BeforeChange(int code) override { history->BeforeChange(code); }
  void AfterChange(int code) override { history->AfterChange(code); }
};

}  // namespace

// Every kind of change, undone back to the empty text and redone to the end, must pass through
// exactly the states it went through, decorations included.
TEST_F(EditingTest, DecoratedEditsUndoAndRedoThroughTheListingHistory) {
  CDecorateEditor editor(kDecoMultiLine | kDecoAllowCentre);
  int stored = 0;
  CDecorateHistory history(doc, editor, [&] { ++stored; });
  Relay relay;
  relay.history = &history;
  editor.SetListener(&relay);

  std::vector<std::string> states = {editor.GetHtml()};
  auto step = [&] { states.push_back(editor.GetHtml()); };
  editor.TypeText("Hello world");
  step();
  editor.ApplyDecoration(DECO_BOLD, 0, 5);
  step();
  editor.ApplyDecoration(DECO_COLOR, 3, 9, {0x0000FF, {}});
  step();
  editor.ApplyDecoration(DECO_SIZE, 2, 7, {editor.Doc().LevelToSize(6), {}});
  step();
  editor.MoveCaret(11, false);
  editor.EditPendingStyle().AddFlag(DECO_ITALIC);
  editor.TypeText(Cp932("です"));
  step();
  editor.TypeLineBreak();
  step();
  editor.TypeText("next line");
  step();
  editor.ApplyDecoration(DECO_ALIGN, 13, 14, {kAlignCentre, {}});
  step();
  editor.DeleteText(2, 6);  // through bold, colour and size
  step();
  editor.RemoveDecoration(DECO_BOLD, 0, 3);
  step();
  editor.ClearDecorations(0, 9);
  step();
  editor.ToggleOverwrite();
  editor.MoveCaret(1, false);
  editor.TypeText("XYZ");
  editor.ToggleOverwrite();
  step();
  editor.ApplyDecoration(DECO_LINK, 0, 4, {0, "http://a.jp/"});
  step();
  editor.RemoveDecoration(DECO_ALIGN, 12, 13);
  step();

  CCommandHistory& commands = doc.GetCommandHistory();
  for (int i = static_cast<int>(states.size()) - 2; i >= 0; --i) {
    ASSERT_TRUE(commands.CanUndo());
    commands.Undo();
    ASSERT_EQ(editor.GetHtml(), states[i]) << "undo to state " << i;
  }
  EXPECT_FALSE(commands.CanUndo());
  for (std::size_t i = 1; i < states.size(); ++i) {
    commands.Redo();
    ASSERT_EQ(editor.GetHtml(), states[i]) << "redo to state " << i;
  }
  EXPECT_EQ(stored, 2 * static_cast<int>(states.size() - 1));
  // Replays were not recorded as new steps.
  EXPECT_FALSE(commands.CanRedo());
  commands.Undo();
  EXPECT_TRUE(commands.CanRedo());
}
