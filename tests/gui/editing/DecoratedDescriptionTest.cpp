#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>
#include <QTextCharFormat>

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

// Saves a picture of an input method's pre-edit in a decorated description into the folder
// named by NUVO_SHEET_SHOTS, for a person to look at. Skipped unless that variable is set.
TEST_F(SheetTest, PictureOfAPreeditInTheDescription) {
  const QString folder = qEnvironmentVariable("NUVO_SHEET_SHOTS");
  if (folder.isEmpty()) GTEST_SKIP() << "NUVO_SHEET_SHOTS names no folder";
  sheet->resize(420, 520);
  sheet->show();
  auto* editor = Find<CDecorateEditView>("decorated0");
  editor->SetHtml(
      Cp932("<center><font size=5 color=red><b>昭和レトロ ロボット</b></font><br>"
            "</center>ゼンマイを巻くと<b>元気に歩きます</b>。<br>"));
  editor->setFocus();
  editor->Editor().MoveCaret(Cp932("昭和レトロ ロボット\nゼンマイを巻くと").size(), false);
  QTextCharFormat underline;
  underline.setFontUnderline(true);
  QInputMethodEvent preedit(
      QStringLiteral("かいてん"),
      {{QInputMethodEvent::TextFormat, 0, 4, underline}, {QInputMethodEvent::Cursor, 4, 1, {}}});
  QApplication::sendEvent(editor, &preedit);
  EXPECT_TRUE(sheet->grab().save(folder + QStringLiteral("/decorated-preedit.png")));
}

}  // namespace
