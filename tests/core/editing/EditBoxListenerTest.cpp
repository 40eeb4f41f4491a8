#include "core/editing/EditBoxListener.h"

#include <gtest/gtest.h>

#include "EditingFixture.h"
#include "core/common/Encoding.h"
#include "core/editing/ValueCommands.h"

using namespace nuvo;

namespace {

// An edit box that copies its text into the listing's memo, as a pane does with its field.
class MemoBox : public IEditBox {
 public:
  explicit MemoBox(CNuvoDoc& doc) : doc_(doc) {}
  std::string GetText() const override { return text; }
  void SetText(const std::string& value, TextRange range) override {
    text = value;
    selection = range;
    doc_.SetMemo(text);
  }

  // The user edits: the box changes, then tells its listener.
  void Edit(CEditBoxListener& listener, CEditStep::Kind kind, std::string after, TextRange range) {
    CEditStep step{kind, text, after, selection, range};
    SetText(after, range);
    listener.OnEditStep(step);
  }

  std::string text;
  TextRange selection;

 private:
  CNuvoDoc& doc_;
};

TEST_F(EditingTest, TypingAndOtherEditsUndoInOneSequence) {
  MemoBox box(doc);
  CEditBoxListener edits(doc, box);
  box.Edit(edits, CEditStep::kTyping, Cp932("あいう"), {6, 6});
  Run(MakeSetStartPriceCommand(doc, 3000));
  box.Edit(edits, CEditStep::kTyping, Cp932("あ・う"), {4, 4});
  box.Edit(edits, CEditStep::kOtherChange, "", {0, 0});
  box.Edit(edits, CEditStep::kOtherChange, "", {0, 0});  // no change: no command

  doc.Undo();
  EXPECT_EQ(box.text, Cp932("あ・う"));
  EXPECT_EQ(box.selection, (TextRange{4, 4}));
  doc.Undo();
  EXPECT_EQ(box.text, Cp932("あいう"));
  EXPECT_EQ(box.selection, (TextRange{6, 6}));
  EXPECT_EQ(doc.GetMemo(), Cp932("あいう"));
  doc.Undo();
  EXPECT_EQ(doc.GetStartPrice(), 1000);
  doc.Undo();
  EXPECT_EQ(box.text, "");
  EXPECT_FALSE(doc.IsModified());
  EXPECT_FALSE(doc.CanUndo());

  doc.Redo();
  doc.Redo();
  doc.Redo();
  EXPECT_EQ(box.text, Cp932("あ・う"));
  EXPECT_EQ(doc.GetStartPrice(), 3000);
}

TEST_F(EditingTest, TypingThatSharesOnlyATrailByteUndoesWhole) {
  MemoBox box(doc);
  CEditBoxListener edits(doc, box);
  box.Edit(edits, CEditStep::kOtherChange, Cp932("い"), {2, 2});
  // "い" ends in the byte of the half-width "｢".
  box.Edit(edits, CEditStep::kTyping, Cp932("A｢"), {2, 2});
  doc.Undo();
  EXPECT_EQ(box.text, Cp932("い"));
  doc.Redo();
  EXPECT_EQ(box.text, Cp932("A｢"));
}

}  // namespace
