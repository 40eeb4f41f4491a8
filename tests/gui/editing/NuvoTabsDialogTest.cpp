#include "gui/editing/NuvoTabsDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "SheetFixture.h"
#include "core/common/Encoding.h"
#include "core/common/MessageIds.h"
#include "gui/decorate/DecorateEditView.h"

using namespace nuvo;

namespace {

TEST_F(SheetTest, TitlePauseMakesOneCommandWithTheCleanedText) {
  auto* title = Find<QLineEdit>("title");
  Type(title, QStringLiteral("abc"));
  EXPECT_FALSE(doc->GetCommandHistory().CanUndo());
  Pause();
  EXPECT_EQ(doc->GetTitle(), "abc");
  EXPECT_EQ(UndoDepth(), 1);
  EXPECT_TRUE(prompt.requests.empty());

  struct Case {
    QString typed;
    const char* kept;
    int message;
  };
  for (const Case& c : {Case{QStringLiteral("<b>"), "abcb", IDS_TITLE_BAD_CHARS},
                        Case{QStringLiteral("ｶﾅ"), "abcb", IDS_HALF_WIDTH_KANA},
                        Case{QStringLiteral("\"ｱ"), "abcb", IDS_TITLE_BAD_CHARS_AND_KANA},
                        Case{QStringLiteral("表"), "abcb表", 0}}) {
    prompt.requests.clear();
    Type(title, c.typed);
    Pause();
    EXPECT_EQ(doc->GetTitle(), Cp932(c.kept)) << c.typed.toStdString();
    EXPECT_EQ(title->text(), QString::fromUtf8(c.kept));
    EXPECT_EQ(prompt.Ids(), c.message ? std::vector<int>{c.message} : std::vector<int>{});
  }
  // Typing that only removed refused characters left the title as it stood: no command.
  EXPECT_EQ(UndoDepth(), 3);
}

TEST_F(SheetTest, UndoPutsTheTitleAndItsCaretBack) {
  auto* title = Find<QLineEdit>("title");
  Type(title, QStringLiteral("日本"));
  Pause();
  title->setCursorPosition(1);
  Type(title, QStringLiteral("x"));
  Pause();
  EXPECT_EQ(doc->GetTitle(), Cp932("日x本"));
  QKeyEvent ownUndo(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier);
  QCoreApplication::sendEvent(title, &ownUndo);  // the box's own undo is not the listing's
  EXPECT_EQ(title->text(), QStringLiteral("日x本"));
  doc->GetCommandHistory().Undo();
  EXPECT_EQ(title->text(), QStringLiteral("日本"));
  doc->GetCommandHistory().Redo();
  EXPECT_EQ(title->text(), QStringLiteral("日x本"));
  EXPECT_EQ(title->cursorPosition(), 2);  // after the "x", where the caret stood
}

TEST_F(SheetTest, TitleTipCountsFullWidthCharacters) {
  auto* title = Find<QLineEdit>("title");
  title->setText(QString(129, QLatin1Char('a')));
  EXPECT_TRUE(title->toolTip().endsWith(QStringLiteral("64.5文字です")))
      << title->toolTip().toStdString();
  title->setText(QStringLiteral("あいう"));
  EXPECT_TRUE(title->toolTip().endsWith(QStringLiteral("3文字です")));
  EXPECT_EQ(Find<QLabel>("titleLength")->text(), QStringLiteral("3文字"));
}

TEST_F(SheetTest, UndoRestoresHeadValuesAndTheSheetRereadsThem) {
  auto* quantity = Find<QSpinBox>("quantity");
  auto* price = Find<QLineEdit>("startPrice");
  auto* format = Find<QComboBox>("salesFormat");
  quantity->setValue(5);
  price->selectAll();
  Type(price, QStringLiteral("25"));
  format->setCurrentIndex(1);
  EXPECT_EQ(doc->GetQuantity(), 5);
  EXPECT_EQ(doc->GetStartPrice(), 25);
  EXPECT_EQ(doc->GetSalesFormat(), 1);
  EXPECT_FALSE(Find<QWidget>("buyNow")->isEnabled());

  CCommandHistory& history = doc->GetCommandHistory();
  history.Undo();
  EXPECT_EQ(format->currentIndex(), 0);
  EXPECT_TRUE(Find<QWidget>("buyNow")->isEnabled());
  history.Undo();
  history.Undo();
  EXPECT_EQ(price->text(), QStringLiteral("1000"));
  history.Undo();
  EXPECT_EQ(quantity->value(), 1);
  EXPECT_EQ(doc->GetQuantity(), 1);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_FALSE(history.CanUndo());
}

TEST_F(SheetTest, AValueChangedBackToWhatItWasMakesNoCommand) {
  auto* price = Find<QLineEdit>("startPrice");
  price->setCursorPosition(0);
  Type(price, QStringLiteral("0"));  // "01000" is still 1000 yen
  int afterPrice = UndoDepth();
  Find<QSpinBox>("quantity")->setValue(1);
  Find<QComboBox>("salesFormat")->setCurrentIndex(0);
  auto* title = Find<QLineEdit>("title");
  Type(title, QStringLiteral("a"));
  Press(title, Qt::Key_Backspace);
  Pause();
  EXPECT_EQ(UndoDepth(), afterPrice);
  EXPECT_EQ(afterPrice, 0);

  sheet->ApplyCategory({2084, Cp932("本")});
  sheet->ApplyCategory({2084, Cp932("本")});
  auto* category = Find<QComboBox>("category");
  emit category->activated(0);
  EXPECT_EQ(UndoDepth(), afterPrice + 1);
}

TEST_F(SheetTest, CategoryHistoryOutlivesTheSheet) {
  sheet->ApplyCategory({1, Cp932("本、雑誌")});
  sheet->ApplyCategory({2, Cp932("音楽")});
  sheet->ApplyCategory({1, Cp932("本、雑誌")});
  sheet.reset();
  EXPECT_EQ(app.GetProfileString("Dialog\\132", "HisCategoryName01"), Cp932("本、雑誌"));
  EXPECT_EQ(app.GetProfileInt("Dialog\\132", "HisCategory02", 0), 2);
  EXPECT_EQ(app.GetProfileString("Dialog\\132", "HisCategoryName03"), "");

  doc->OnNewDocument();
  MakeSheet(ESheetLayout::Wide);
  auto* category = Find<QComboBox>("category");
  ASSERT_EQ(category->count(), 2);
  EXPECT_EQ(category->currentIndex(), -1);  // the new listing has no category yet
  emit category->activated(1);
  EXPECT_EQ(doc->GetCategoryId(), 2);
  EXPECT_EQ(doc->GetCategoryName(), Cp932("音楽"));
  EXPECT_EQ(category->itemText(0), QStringLiteral("音楽"));
}

TEST_F(SheetTest, CharactersOutsideCodePage932AreRefusedWhereTyped) {
  auto* title = Find<QLineEdit>("title");
  Type(title, QStringLiteral("ab"));
  title->insert(QStringLiteral("\U0001F600"));
  EXPECT_EQ(title->text(), QStringLiteral("ab"));
  Pause();
  EXPECT_EQ(doc->GetTitle(), "ab");

  auto* description = Find<QPlainTextEdit>("description0");
  description->selectAll();
  Type(description, QStringLiteral("説明"));
  description->insertPlainText(QStringLiteral("\u2603"));  // a snowman: not in code page 932
  EXPECT_EQ(description->toPlainText(), QStringLiteral("説明"));
  EXPECT_EQ(prompt.Ids(), (std::vector<int>{IDS_UNREPRESENTABLE_CHAR, IDS_UNREPRESENTABLE_CHAR}));
  // The seller sees the character itself, not its code.
  EXPECT_EQ(QString::fromStdString(prompt.requests[0].shownText),
            QStringLiteral("「\U0001F600」は出品する文章には使えない文字です。\r\n"
                           "別の文字に置き換えてください。"));
  EXPECT_NE(prompt.requests[1].shownText.find("\u2603"), std::string::npos);
  EXPECT_NE(prompt.requests[1].text.find("U+2603"), std::string::npos);
}

TEST_F(SheetTest, DescriptionTypingUndoesInTheOneHistory) {
  auto* description = Find<QPlainTextEdit>("description0");
  description->selectAll();
  Type(description, QStringLiteral("新品"));
  EXPECT_EQ(doc->GetDescriptions().at(0), Cp932("新品"));
  Find<QSpinBox>("quantity")->setValue(3);
  CCommandHistory& history = doc->GetCommandHistory();
  history.Undo();
  history.Undo();
  EXPECT_EQ(description->toPlainText(), QStringLiteral("新"));
  EXPECT_EQ(doc->GetDescriptions().at(0), Cp932("新"));
  history.Redo();
  EXPECT_EQ(doc->GetDescriptions().at(0), Cp932("新品"));
  EXPECT_EQ(description->toPlainText(), QStringLiteral("新品"));

  // The box's own undo keys are the listing's: they record nothing and change nothing here.
  QKeyEvent undo(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier);
  QCoreApplication::sendEvent(description, &undo);
  EXPECT_EQ(description->toPlainText(), QStringLiteral("新品"));
  EXPECT_TRUE(history.CanRedo());  // no new edit cut the redo tail
}

TEST_F(SheetTest, DescriptionTextIsWrittenAsTypedAndOnlyHtmlInputTakesMarkup) {
  auto* description = Find<QPlainTextEdit>("description0");
  description->selectAll();
  Type(description, QStringLiteral("一行目"));
  Press(description, Qt::Key_Return);
  Type(description, QStringLiteral("<b>"));
  EXPECT_EQ(doc->GetDescriptions().at(0), Cp932("一行目<br>&lt;b&gt;"));
  doc->Undo();
  EXPECT_EQ(description->toPlainText(), QStringLiteral("一行目\n<b"));
  EXPECT_EQ(doc->GetDescriptions().at(0), Cp932("一行目<br>&lt;b"));

  Find<QPushButton>("inputType2")->click();
  ASSERT_EQ(doc->GetDescriptInputType(), CNuvoDoc::kHtmlInput);
  description->selectAll();
  Type(description, QStringLiteral("<b>太字</b>"));
  EXPECT_EQ(doc->GetDescriptions().at(0), Cp932("<b>太字</b>"));
}

TEST_F(SheetTest, ItemRowsAreAddedMovedAndTypedThroughCommands) {
  CNuvoDoc& listing = *doc;
  listing.SetPayItems({{Cp932("銀行振込"), ""}, {Cp932("代金引換"), ""}});
  sheet->UpdateFromDocument(change::kPayItems);
  Find<QPushButton>("payDown0")->click();
  EXPECT_EQ(Find<CDecorateEditView>("payItem0")->GetHtml(), Cp932("代金引換"));
  doc->GetCommandHistory().Undo();
  auto* secondName = Find<CDecorateEditView>("payItem1");
  EXPECT_EQ(secondName->GetHtml(), Cp932("代金引換"));
  secondName->Editor().MoveCaret(secondName->Editor().Doc().GetLength(), false);
  Type(secondName, QStringLiteral("!"));
  EXPECT_EQ(listing.GetPayItems().at(1).item, Cp932("代金引換!"));
  doc->GetCommandHistory().Undo();
  EXPECT_EQ(listing.GetPayItems().at(1).item, Cp932("代金引換"));
  EXPECT_EQ(secondName->GetHtml(), Cp932("代金引換"));
}

// A row's name is one line of decorated text and its text may run over lines: both carry
// decorations into the listing, and the listing's Undo takes a decoration back.
TEST_F(SheetTest, ItemRowsAreDecoratedTextsAndNamesStayOnOneLine) {
  doc->SetPostItems({{"", ""}});
  sheet->UpdateFromDocument(change::kPostItems);
  sheet->show();
  auto* name = Find<CDecorateEditView>("postItem0");
  name->setFocus();
  Type(name, QStringLiteral("定形外"));
  Press(name, Qt::Key_Return);
  QApplication::clipboard()->setText(QStringLiteral("郵便\r\n料金"));
  name->Paste();
  name->Editor().SelectAll();
  QTest::keyClick(name, Qt::Key_B, Qt::ControlModifier);
  EXPECT_EQ(doc->GetPostItems().at(0).item, Cp932("<b>定形外郵便料金</b>"));

  auto* detail = Find<CDecorateEditView>("postDetail0");
  detail->setFocus();
  Type(detail, QStringLiteral("全国"));
  Press(detail, Qt::Key_Return);
  Type(detail, QStringLiteral("一律"));
  EXPECT_EQ(doc->GetPostItems().at(0).detail, Cp932("全国<br>一律"));

  doc->GetCommandHistory().Undo();
  doc->GetCommandHistory().Undo();
  doc->GetCommandHistory().Undo();
  doc->GetCommandHistory().Undo();
  doc->GetCommandHistory().Undo();
  EXPECT_EQ(doc->GetPostItems().at(0).detail, "");
  doc->GetCommandHistory().Undo();
  EXPECT_EQ(doc->GetPostItems().at(0).item, Cp932("定形外郵便料金"));
  EXPECT_EQ(name->GetHtml(), Cp932("定形外郵便料金"));
}

}  // namespace
