#include <QTest>

#include "SheetFixture.h"
#include "core/common/Encoding.h"
#include "gui/decorate/DecorateEditView.h"

using namespace nuvo;

namespace {

// Typing and decorating in the description's editor are steps of the listing's history: the
// listing's Undo takes them back one by one, in the editor and in the listing alike.
TEST_F(SheetTest, DescriptionEditsUndoThroughTheListingHistory) {
  sheet->show();
  auto* editor = Find<CDecorateEditView>("decorated0");
  ASSERT_TRUE(editor->isVisible());
  editor->setFocus();
  editor->Editor().SelectAll();
  QTest::keyClicks(editor, "new");
  editor->Editor().SelectAll();
  QTest::keyClick(editor, Qt::Key_B, Qt::ControlModifier);
  EXPECT_EQ(doc->GetDescriptions()[0], "<b>new</b>");

  CCommandHistory& history = doc->GetCommandHistory();
  history.Undo();
  EXPECT_EQ(editor->GetHtml(), "new");
  EXPECT_EQ(doc->GetDescriptions()[0], "new");
  history.Undo();
  history.Undo();
  history.Undo();
  EXPECT_EQ(doc->GetDescriptions()[0], "");
  history.Undo();  // the deletion of the text the new listing came with
  EXPECT_EQ(editor->GetHtml(), doc->GetDescriptions()[0]);
  EXPECT_FALSE(doc->GetDescriptions()[0].empty());
  while (history.CanRedo()) history.Redo();
  EXPECT_EQ(editor->GetHtml(), "<b>new</b>");
  EXPECT_EQ(doc->GetDescriptions()[0], "<b>new</b>");
}

}  // namespace
