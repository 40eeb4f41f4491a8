#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>

#include "core/app/AppComm.h"
#include "core/app/AppOptions.h"
#include "core/app/MemorySettings.h"
#include "core/common/Encoding.h"
#include "gui/app/OptionsDialog.h"
#include "gui/editing/AuctionSubmitSettingPages.h"
#include "gui/editing/ImageListDialog.h"
#include "gui/editing/PaidOptionsDialog.h"
#include "gui/editing/ShipServicesDialog.h"
#include "gui/editing/SubmitSettingDialog.h"
#include "support/ScriptedPrompt.h"

using namespace nuvo;

namespace {

class SubmitSettingDialogTest : public ::testing::Test {
 protected:
  CCommonSubmitSettings Stored(ESubmitForm form) {
    CCommonSubmitSettings settings(form);
    settings.Load(app);
    return settings;
  }

  CMemorySettings backend;
  CAppComm app{backend};
  ScriptedPrompt prompt;
};

TEST_F(SubmitSettingDialogTest, OkStoresWhatThePagesShowAndCancelStoresNothing) {
  CCommonSubmitSettings before(ESubmitForm::Normal);
  before.basic = {1, 3, 9, 2};
  before.pay.bankNames = {Cp932("みずほ銀行")};
  before.post.locCd = 40;
  before.post.city = Cp932("福岡市");
  before.Save(app);

  {
    CSubmitSettingDialog dialog(app, prompt, ESubmitForm::Normal,
                                CSubmitSettingDialog::EMode::Edit);
    EXPECT_EQ(dialog.Settings(), before);
    dialog.findChildren<QSpinBox*>()[0]->setValue(7);
    dialog.reject();
  }
  EXPECT_EQ(Stored(ESubmitForm::Normal), before);

  CSubmitSettingDialog dialog(app, prompt, ESubmitForm::Normal,
                              CSubmitSettingDialog::EMode::Confirm);
  auto* basic = dialog.findChild<CAuctionSubmitSettingBasicBasePage*>();
  basic->DurationBox()->setValue(7);
  auto* post = dialog.findChild<CAuctionSubmitSettingPostBasePage*>();
  EXPECT_EQ(post->findChildren<QComboBox*>().back()->currentText(), QStringLiteral("福岡県"));
  post->findChild<QLineEdit*>()->setText(QStringLiteral("北九州市"));
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  CCommonSubmitSettings after = before;
  after.basic.duration = 7;
  after.post.city = Cp932("北九州市");
  EXPECT_EQ(Stored(ESubmitForm::Normal), after);
  // The bank typed is offered again next time.
  CSubmitSettingHistory history;
  history.Load(app);
  EXPECT_EQ(history.bankNames, std::vector<std::string>{Cp932("みずほ銀行")});
}

TEST_F(SubmitSettingDialogTest, AnUnfinishedNumberKeepsTheDialogOpenOnItsBox) {
  CSubmitSettingDialog dialog(app, prompt, ESubmitForm::EasyTrade,
                              CSubmitSettingDialog::EMode::Edit);
  dialog.show();
  dialog.Tabs()->setCurrentIndex(dialog.Tabs()->count() - 1);
  QSpinBox* duration = dialog.findChild<CAuctionSubmitSettingBasicBasePage*>()->DurationBox();
  duration->findChild<QLineEdit*>()->setText(QString());  // the seller cleared the box
  dialog.accept();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.Tabs()->currentIndex(), 0);
  EXPECT_TRUE(backend.ReadInt("Dialog\\24100", "Duration") == std::nullopt);
}

TEST_F(SubmitSettingDialogTest, TheEasyTradeFormHidesWhatItCannotSend) {
  CSubmitSettingDialog dialog(app, prompt, ESubmitForm::EasyTrade,
                              CSubmitSettingDialog::EMode::Edit);
  EXPECT_NE(dialog.findChild<CAuctionSubmitSettingPayEasyTradingBasePage*>(), nullptr);
  EXPECT_EQ(dialog.findChild<CAuctionSubmitSettingPayNormalSubmitBasePage*>(), nullptr);
  QStringList captions;
  for (int i = 0; i < dialog.Tabs()->count(); ++i) captions << dialog.Tabs()->tabText(i);
  EXPECT_EQ(captions, (QStringList{"基本", "入札者制限", "自動値下げ", "支払い", "配送", "返品"}));
}

TEST_F(SubmitSettingDialogTest, TheOptionsDialogChangesOnlyTheBitsItShows) {
  CAppOptions options;
  options.optionValue = kOptionValueDefault | 0x100;  // a bit another feature owns
  COptionsDialog dialog(app, options);
  dialog.OptionBox(kOptionWarnMachineDependentChars)->setChecked(false);
  dialog.OptionBox(kOptionConfirmMarkdown)->setChecked(true);
  dialog.accept();
  EXPECT_EQ(dialog.Options().optionValue, (kOptionValueDefault | 0x100 | kOptionConfirmMarkdown) &
                                              ~kOptionWarnMachineDependentChars);
  EXPECT_EQ(dialog.Options().upaaoDataSizeLimit, 1);

  // The status bar and the colour of the submitting window have boxes of their own.
  COptionsDialog hidden(app, options, false);
  for (QCheckBox* box : hidden.findChildren<QCheckBox*>()) {
    if (box->text().startsWith(QStringLiteral("ステータスバー")) ||
        box->text().startsWith(QStringLiteral("出品中のウィンドウ")))
      box->toggle();
  }
  hidden.accept();
  EXPECT_TRUE(hidden.StatusBarShown());
  EXPECT_EQ(hidden.Options().submittingColour, 0);
  EXPECT_EQ(hidden.Options().optionValue, options.optionValue);
}

TEST_F(SubmitSettingDialogTest, TheImageListKeepsRowsWithAnImageInTheirOrderUpToItsLimit) {
  const CImageListRow logo{"logo", "https://example.com/a.gif", "", "", 10, 20, 1, "extra"};
  const CImageListRow shop{"shop", "https://example.com/b.gif", "", "", 0, 0, 0, ""};
  CImageListDialog dialog(QStringLiteral("images"), {logo, shop}, 3, prompt);
  QTableWidget* table = dialog.Table();
  auto* add = dialog.findChildren<QPushButton*>()[0];
  add->click();  // a third row, left without an image
  EXPECT_FALSE(add->isEnabled());
  table->setCurrentCell(1, 0);
  dialog.findChildren<QPushButton*>()[2]->click();  // up
  dialog.accept();
  EXPECT_EQ(dialog.Rows(), (std::vector<CImageListRow>{shop, logo}));

  // A character code page 932 cannot hold keeps the dialog open on its cell.
  CImageListDialog refusing(QStringLiteral("images"), {logo}, 3, prompt);
  refusing.Table()->item(0, 3)->setText(QStringLiteral("🙂"));
  refusing.accept();
  EXPECT_EQ(refusing.result(), QDialog::Rejected);
  EXPECT_EQ(refusing.Table()->currentColumn(), 3);
  EXPECT_EQ(prompt.requests.size(), 1u);
}

// Saves pictures of the dialogs into the folder named by NUVO_SHEET_SHOTS, for a person to look
// at. Skipped unless that variable is set.
TEST_F(SubmitSettingDialogTest, PicturesOfTheDialogs) {
  const QString folder = qEnvironmentVariable("NUVO_SHEET_SHOTS");
  if (folder.isEmpty()) GTEST_SKIP() << "NUVO_SHEET_SHOTS names no folder";
  for (const char* family : {"MS PGothic", "IPAPGothic"}) {
    if (QFontDatabase::hasFamily(QString::fromUtf8(family))) {
      QApplication::setFont(QFont(QString::fromUtf8(family), 9));
      break;
    }
  }
  for (ESubmitForm form : {ESubmitForm::EasyTrade, ESubmitForm::Normal}) {
    CSubmitSettingDialog dialog(app, prompt, form,
                                form == ESubmitForm::Normal ? CSubmitSettingDialog::EMode::Edit
                                                            : CSubmitSettingDialog::EMode::Confirm);
    dialog.show();
    for (int i = 0; i < dialog.Tabs()->count(); ++i) {
      dialog.Tabs()->setCurrentIndex(i);
      const QString name = QStringLiteral("/settings-%1-%2.png")
                               .arg(form == ESubmitForm::Normal ? "normal" : "easy")
                               .arg(i);
      EXPECT_TRUE(dialog.grab().save(folder + name));
    }
  }
  COptionsDialog options(app, CAppOptions());
  options.show();
  EXPECT_TRUE(options.grab().save(folder + QStringLiteral("/options.png")));
  CChargeOptions charges;
  charges.SetFeaturedAmount(50);
  charges.SetIconKind(3);
  CPaidOptionsDialog paid(charges, 1000);
  paid.show();
  EXPECT_TRUE(paid.grab().save(folder + QStringLiteral("/paid-options.png")));
  CShipSettings shipping;
  shipping.SetServiceFlags(CShipSettings::kTakkyubin | CShipSettings::kHakoboonMini);
  shipping.groupASize = {{60, 1}, {2, 1}};
  CShipServicesDialog services(shipping);
  services.show();
  EXPECT_TRUE(services.grab().save(folder + QStringLiteral("/ship-services.png")));
  CImageListDialog images(QStringLiteral("インターネット画像の設定"),
                          {{Cp932("ロゴ"), "https://example.com/logo.gif", "https://example.com/",
                            Cp932("ショップのロゴ"), 120, 40, 0, ""}},
                          7, prompt);
  images.show();
  EXPECT_TRUE(images.grab().save(folder + QStringLiteral("/internet-images.png")));
}

}  // namespace
