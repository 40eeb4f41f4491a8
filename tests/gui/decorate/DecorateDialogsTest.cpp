#include "gui/decorate/DecorateDialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "../../support/ScriptedPrompt.h"
#include "core/app/DialogSettings.h"
#include "core/app/MemorySettings.h"
#include "core/common/Encoding.h"
#include "core/common/MessageIds.h"
#include "core/decorate/DecorateLink.h"
#include "core/editing/DecorateColorMemory.h"
#include "core/editing/FindHistory.h"
#include "gui/decorate/DecorateEditView.h"
#include "gui/decorate/FindDialog.h"

using namespace nuvo;

namespace {

class DecorateDialogsTest : public testing::Test {
 protected:
  // Runs `steps` on the dialog `name` once it is open, each after the events of the last.
  static void WhenOpen(const char* name, std::vector<std::function<void(QWidget*)>> steps) {
    QTimer::singleShot(0, [name, steps = std::move(steps)] {
      QWidget* dialog = nullptr;
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String(name) && widget->isVisible()) dialog = widget;
      }
      ASSERT_NE(dialog, nullptr) << name;
      for (const auto& step : steps) {
        step(dialog);
        QApplication::processEvents();
      }
    });
  }
  static void Ok(QWidget* dialog) {
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  }

  CMemorySettings backend;
  CAppComm app{backend};
  ScriptedPrompt prompt;
  CDecorateDialogs dialogs{nullptr, prompt, app};
};

// The link dialog opens on the tab that made the link, keeps itself open over an address it
// refuses, and asks before the seller's ID key leaves the link.
TEST_F(DecorateDialogsTest, LinkDialogRefusesBadAddressesAndGuardsTheSellerKey) {
  const std::string own = CDecorateLink::Auction(CDecorateLink::EAuctionPage::Rating, "").Address();
  bool openedOnAuction = false;
  prompt.Queue(PromptAnswer::Ok);
  prompt.Queue(PromptAnswer::Yes);
  WhenOpen(
      "linkDialog",
      {
          [&](QWidget* dialog) {
            auto* tabs = dialog->findChild<QTabWidget*>("linkTabs");
            openedOnAuction = tabs->currentIndex() == 2 &&
                              dialog->findChild<QRadioButton*>("linkAuctionPage2")->isChecked() &&
                              dialog->findChild<QLineEdit*>("linkId")->text().isEmpty();
            tabs->setCurrentIndex(0);
            dialog->findChild<QLineEdit*>("linkPage")->setText(QStringLiteral("www.example.jp"));
          },
          Ok,
          [](QWidget* dialog) {
            EXPECT_TRUE(dialog->isVisible());
            dialog->findChild<QLineEdit*>("linkPage")
                ->setText(QStringLiteral("https://example.jp/"));
          },
          Ok,
      });
  EXPECT_EQ(dialogs.ChooseLink(own), "https://example.jp/");
  EXPECT_TRUE(openedOnAuction);
  EXPECT_EQ(prompt.Ids(), (std::vector<int>{IDS_BAD_PAGE_ADDRESS, IDS_REMOVE_SELLER_ID_KEY}));

  WhenOpen(
      "linkDialog",
      {[](QWidget* dialog) {
         dialog->findChild<QTabWidget*>("linkTabs")->setCurrentIndex(1);
         dialog->findChild<QLineEdit*>("linkMail")->setText(QStringLiteral(" shop@example.jp "));
       },
       Ok});
  EXPECT_EQ(dialogs.ChooseLink(""), "mailto:shop@example.jp");
}

// The colour chosen, and the choice of the standard colour, are what the dialog offers next time,
// also in a later run.
TEST_F(DecorateDialogsTest, ColorDialogRemembersTheLastChoice) {
  const auto chooseSwatch = [](int index) {
    return [index](QWidget* dialog) {
      QList<QToolButton*> swatches = dialog->findChildren<QToolButton*>();
      swatches.at(index)->click();
    };
  };
  WhenOpen("colorDialog", {chooseSwatch(8), Ok});  // green
  EXPECT_EQ(dialogs.ChooseColor(-1), 0x008000);
  EXPECT_EQ(CDecorateColorMemory::Load(app).color, 0x008000);

  bool offeredGreen = false;
  WhenOpen("colorDialog", {[&](QWidget* dialog) {
                             offeredGreen = dialog->findChildren<QToolButton*>().at(8)->isChecked();
                             for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
                               if (button->isCheckable()) button->click();  // the standard colour
                             }
                           },
                           Ok});
  EXPECT_EQ(dialogs.ChooseColor(-1), IDecorateDialogs::kStandardColor);
  EXPECT_TRUE(offeredGreen);
  EXPECT_TRUE(CDecorateColorMemory::Load(app).standard);

  // A colour of the text outside the sixteen shows as the seller's own; Cancel changes nothing.
  bool offeredOwn = false;
  WhenOpen("colorDialog", {[&](QWidget* dialog) {
             offeredOwn = dialog->findChildren<QToolButton*>().at(16)->isChecked();
             dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
           }});
  EXPECT_EQ(dialogs.ChooseColor(0x123456), std::nullopt);
  EXPECT_TRUE(offeredOwn);
  EXPECT_TRUE(CDecorateColorMemory::Load(app).standard);
}

// Finding walks the matches of the editor, replacing reports its count, and the texts searched
// for are offered again in the next dialog and by F3.
TEST_F(DecorateDialogsTest, FindDialogSearchesReplacesAndKeepsItsHistory) {
  CDecorateEditView view(kDecoMultiLine, dialogs, prompt);
  view.SetHtml("Tea<br>tea&nbsp;and&nbsp;<b>TEA</b>");
  view.Editor().MoveCaret(0, false);
  {
    CFindDialog find(&view, true, app, prompt);
    find.show();
    find.findChild<QComboBox*>("findText")->setEditText(QStringLiteral("tea"));
    find.findChild<QPushButton*>("findNext")->click();
    find.findChild<QPushButton*>("findNext")->click();
    EXPECT_EQ(view.Editor().SelectionStart(), 4);
    EXPECT_EQ(view.Editor().SelectionEnd(), 7);
    find.findChild<QLineEdit*>("replaceText")->setText(QStringLiteral("coffee"));
    find.findChild<QPushButton*>("replaceAll")->click();
    find.reject();
  }
  EXPECT_EQ(view.Editor().Doc().Text(), "coffee\ncoffee and coffee");
  EXPECT_TRUE(view.Editor().Doc().IsAppliedToAll(18, 24, DECO_BOLD));  // the bold TEA
  ASSERT_EQ(prompt.Ids(), std::vector<int>{IDS_REPLACED_COUNT});
  EXPECT_EQ(prompt.requests.back().text, Cp932("3個の置換を実行しました。"));
  EXPECT_EQ(CFindHistory::Load(app).Entries(), std::vector<std::string>{"tea"});

  CFindHistory history = CFindHistory::Load(app);
  history.Add("and");
  history.Save(app);
  CFindDialog again(&view, false, app, prompt);
  EXPECT_EQ(again.findChild<QComboBox*>("findText")->count(), 2);
  view.Editor().MoveCaret(0, false);
  EXPECT_TRUE(CFindDialog::FindAgain(&view, true, app, prompt));
  EXPECT_EQ(view.Editor().SelectedText(), "and");
  // Past the last match the selection stays, and the seller is told what was not found.
  EXPECT_FALSE(CFindDialog::FindAgain(&view, true, app, prompt));
  EXPECT_EQ(view.Editor().SelectedText(), "and");
  EXPECT_EQ(prompt.Ids().back(), IDS_TEXT_NOT_FOUND);
  EXPECT_EQ(prompt.requests.back().text, Cp932("「and」は見つかりませんでした。"));
}

}  // namespace
