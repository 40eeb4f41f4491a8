#include "gui/decorate/DecorateEditView.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include "../../support/ScriptedPrompt.h"
#include "core/common/Encoding.h"
#include "core/common/MessageIds.h"

using namespace nuvo;

namespace {

class NoDialogs : public IDecorateDialogs {
 public:
  std::optional<int> ChooseColor(int) override { return std::nullopt; }
  std::optional<std::string> ChooseLink(const std::string&) override { return std::nullopt; }
};

class DecorateEditViewTest : public testing::Test {
 protected:
  std::unique_ptr<CDecorateEditView> MakeView(int options) {
    auto view = std::make_unique<CDecorateEditView>(options, dialogs, prompt);
    view->resize(320, 160);
    view->show();
    view->activateWindow();
    view->setFocus();
    return view;
  }

  // The point in the viewport just before byte `pos`.
  static QPoint PointAt(const CDecorateEditView& view, int pos) {
    const CDecorateLayout& layout = view.Layout();
    const int line = layout.LineOf(pos);
    return {4 + layout.XOf(line, pos), 4 + layout.Line(line).y + 3};
  }

  static std::string Text(CDecorateEditView& view) { return view.Editor().Doc().Text(); }

  NoDialogs dialogs;
  ScriptedPrompt prompt;
};

}  // namespace

TEST_F(DecorateEditViewTest, TypingEditsAndSingleLineEditorsLeaveEnterToTheDialog) {
  auto view = MakeView(kDecoMultiLine);
  QTest::keyClicks(view.get(), "abc");
  QTest::keyClick(view.get(), Qt::Key_Return);
  QTest::keyClicks(view.get(), "de");
  QTest::keyClick(view.get(), Qt::Key_Left);
  QTest::keyClick(view.get(), Qt::Key_Backspace);
  QTest::keyClick(view.get(), Qt::Key_Up);
  QTest::keyClick(view.get(), Qt::Key_Delete);
  EXPECT_EQ(Text(*view), "bc\ne");
  EXPECT_EQ(view->Layout().LineCount(), 2);

  auto line = MakeView(0);
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  QApplication::sendEvent(line.get(), &enter);
  EXPECT_FALSE(enter.isAccepted());
  QTest::keyClicks(line.get(), "x");
  EXPECT_EQ(Text(*line), "x");
}

TEST_F(DecorateEditViewTest, InputMethodShowsThePreeditInPlaceAndCommitsItAsOneChange) {
  auto view = MakeView(kDecoMultiLine);
  QTest::keyClicks(view.get(), "ab");
  QTest::keyClick(view.get(), Qt::Key_Left);
  QSignalSpy changes(view.get(), &CDecorateEditView::changed);

  QInputMethodEvent preedit(QStringLiteral("にほん"), {});
  QApplication::sendEvent(view.get(), &preedit);
  EXPECT_EQ(Text(*view), "ab");
  EXPECT_EQ(view->PreeditText(), QStringLiteral("にほん"));
  EXPECT_FALSE(view->grab().isNull());
  // The candidate window goes to the caret, below which the text continues.
  QInputMethodQueryEvent query(Qt::ImCursorRectangle);
  QApplication::sendEvent(view.get(), &query);
  const QRect caret = query.value(Qt::ImCursorRectangle).toRect();
  EXPECT_EQ(caret.topLeft(), view->CaretRect().topLeft() + view->viewport()->pos());

  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("日本ｶﾞ"));
  QApplication::sendEvent(view.get(), &commit);
  EXPECT_EQ(Text(*view), "a" + Cp932("日本ガ") + "b");
  EXPECT_TRUE(view->PreeditText().isEmpty());
  ASSERT_EQ(changes.count(), 1);
  EXPECT_EQ(changes.at(0).at(0).toInt(), kOpInsert);
  EXPECT_EQ(view->Editor().LastOperation().text, Cp932("日本ガ"));
}

TEST_F(DecorateEditViewTest, MouseSelectsAndShortcutsDecorateTheSelection) {
  auto view = MakeView(kDecoMultiLine);
  view->SetHtml("one two three");
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, PointAt(*view, 4));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, PointAt(*view, 7));
  EXPECT_EQ(view->Editor().SelectionStart(), 4);
  EXPECT_EQ(view->Editor().SelectionEnd(), 7);
  QTest::keyClick(view.get(), Qt::Key_B, Qt::ControlModifier);
  EXPECT_EQ(view->GetHtml(), "one&nbsp;<b>two</b>&nbsp;three");

  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, PointAt(*view, 10));
  EXPECT_EQ(view->Editor().SelectedText(), "three");
  QTest::keyClick(view.get(), Qt::Key_Up, Qt::ControlModifier);
  QTest::keyClick(view.get(), Qt::Key_Home, Qt::ShiftModifier);
  QTest::keyClick(view.get(), Qt::Key_I, Qt::ControlModifier);
  const CDecorateEditDoc& doc = view->Editor().Doc();
  EXPECT_TRUE(doc.IsAppliedToAll(0, 8, DECO_ITALIC));
  EXPECT_FALSE(doc.HasAttributeAt(8, DECO_ITALIC));
  EXPECT_EQ(doc.SizeToLevel(doc.GetSizeAt(8)), 4);
  EXPECT_EQ(doc.GetSizeAt(7), -1);

  // Dragging selects too.
  QTest::mousePress(view->viewport(), Qt::LeftButton, {}, PointAt(*view, 1));
  QMouseEvent move(QEvent::MouseMove, PointAt(*view, 3),
                   view->viewport()->mapToGlobal(PointAt(*view, 3)), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(view->viewport(), &move);
  QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, PointAt(*view, 3));
  EXPECT_EQ(view->Editor().SelectedText(), "ne");
}

TEST_F(DecorateEditViewTest, CopyAndPasteBetweenEditorsKeepsDecorationsAndOthersGetPlainText) {
  auto source = MakeView(kDecoMultiLine);
  source->SetHtml("<font color=red>red</font> and <b>bold</b>");
  source->Editor().SelectAll();
  QTest::keyClick(source.get(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("red and bold"));

  auto target = MakeView(kDecoMultiLine);
  QTest::keyClick(target.get(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(target->GetHtml(), source->GetHtml());

  // HTML from another program: what the reader knows stays, the rest arrives as text.
  auto* mime = new QMimeData;
  mime->setHtml(QStringLiteral("<p><b>太字</b> と <span style='x'>普通</span></p>"));
  mime->setText(QStringLiteral("太字 と 普通"));
  QApplication::clipboard()->setMimeData(mime);
  target->Editor().SelectAll();
  QTest::keyClick(target.get(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(target->Editor().Doc().Text(), Cp932("太字 と 普通"));
  EXPECT_TRUE(target->Editor().Doc().IsAppliedToAll(0, 4, DECO_BOLD));
  EXPECT_FALSE(target->Editor().Doc().HasAttributeAt(5, DECO_BOLD));
}

TEST_F(DecorateEditViewTest, CharactersOutsideShiftJisAreRefusedNotTurnedIntoQuestionMarks) {
  auto view = MakeView(kDecoMultiLine);
  QTest::keyClicks(view.get(), "ok");
  QApplication::clipboard()->setText(QStringLiteral("A\U0001F600B"));
  QTest::keyClick(view.get(), Qt::Key_V, Qt::ControlModifier);
  QKeyEvent emoji(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u2603"));
  QApplication::sendEvent(view.get(), &emoji);
  EXPECT_EQ(Text(*view), "ok");
  EXPECT_EQ(prompt.Ids(),
            (std::vector<int>{IDS_PASTED_CHARACTER_REFUSED, IDS_TYPED_CHARACTER_REFUSED}));
}

TEST_F(DecorateEditViewTest, InsertKeyTogglesOverwriteForEveryEditor) {
  auto view = MakeView(kDecoMultiLine);
  auto other = MakeView(0);
  QTest::keyClicks(view.get(), "abcd");
  QTest::keyClick(view.get(), Qt::Key_Home);
  QSignalSpy toggled(view.get(), &CDecorateEditView::overwriteToggled);
  QTest::keyClick(view.get(), Qt::Key_Insert);
  EXPECT_EQ(toggled.count(), 1);
  QTest::keyClicks(view.get(), "XY");
  EXPECT_EQ(Text(*view), "XYcd");
  QTest::keyClicks(other.get(), "12");
  QTest::keyClick(other.get(), Qt::Key_Home);
  QTest::keyClicks(other.get(), "3");
  EXPECT_EQ(Text(*other), "32");
  QTest::keyClick(view.get(), Qt::Key_Insert);
  QTest::keyClicks(view.get(), "-");
  EXPECT_EQ(Text(*view), "XY-cd");
}
