#include <QApplication>
#include <QFontDatabase>
#include <QImage>
#include <QTabWidget>
#include <QTimer>

#include "SheetFixture.h"
#include "core/common/Encoding.h"
#include "core/decorate/DecorateLink.h"
#include "gui/decorate/DecorateDialogs.h"
#include "gui/editing/BuyNowDialog.h"
#include "gui/editing/ConditionDialog.h"
#include "gui/editing/PhotoPage.h"
#include "support/TempDir.h"

using namespace nuvo;

namespace {

// Saves pictures of the sheet in both arrangements, every page in turn, into the folder named by
// NUVO_SHEET_SHOTS, for a person to look at. Not a test: scripts/sheet-shots runs it.
TEST_F(SheetTest, PicturesOfTheSheet) {
  QString folder = qEnvironmentVariable("NUVO_SHEET_SHOTS");
  ASSERT_FALSE(folder.isEmpty()) << "NUVO_SHEET_SHOTS names no folder";
  QFont font = QApplication::font();
  for (const char* family : {"MS PGothic", "IPAPGothic"}) {
    if (QFontDatabase::hasFamily(QString::fromUtf8(family))) {
      font = QFont(QString::fromUtf8(family), 9);
      break;
    }
  }
  QApplication::setFont(font);
  doc->SetTitle(Cp932("【美品】ヴィンテージ 腕時計 自動巻き 箱・保証書付き"));
  doc->SetPayItems({{Cp932("<b>銀行振込</b>"),
                     Cp932("ゆうちょ銀行<br><font color=red>振込手数料はご負担ください</font>")},
                    {Cp932("Yahoo!かんたん決済"), ""}});
  doc->SetCategoryId(2084);
  doc->SetCategoryName(Cp932("ファッション > 腕時計 > メンズ"));
  CShipSettings shipping = doc->GetShipping();
  CShipMethod method;
  method.name = Cp932("ゆうパック");
  method.feeType = CShipMethod::kFlatFeeAndRegions;
  method.fee = 1000;
  shipping.methods.push_back(method);
  doc->SetShipping(shipping);
  TempDir dir;
  QImage picture(640, 480, QImage::Format_RGB32);
  picture.fill(Qt::darkCyan);
  QString path = QString::fromStdU16String((dir.path() / "photo.jpg").u16string());
  picture.save(path, "JPEG");
  sheet->findChild<CPhotoPage*>()->AddPhotos({path, path});
  CBuyNowDialog buyNow(1000, 5000);
  buyNow.show();
  EXPECT_TRUE(buyNow.grab().save(folder + QStringLiteral("/buy-now.png")));
  CConditionDialog condition(CItemCondition(0, ""), prompt);
  condition.show();
  EXPECT_TRUE(condition.grab().save(folder + QStringLiteral("/condition.png")));
  // The decoration dialogs, each saved and closed as soon as it shows.
  CDecorateDialogs dialogs(nullptr, prompt, app);
  auto saveAndClose = [&](const QString& file) {
    QTimer::singleShot(100, [folder, file] {
      QWidget* dialog = QApplication::activeModalWidget();
      ASSERT_NE(dialog, nullptr);
      EXPECT_TRUE(dialog->grab().save(folder + file));
      dialog->close();
    });
  };
  saveAndClose(QStringLiteral("/link-dialog.png"));
  dialogs.ChooseLink(CDecorateLink::Auction(CDecorateLink::EAuctionPage::Rating, "").Address());
  saveAndClose(QStringLiteral("/color-dialog.png"));
  dialogs.ChooseColor(0x0000FF);
  for (ESheetLayout layout : {ESheetLayout::Tall, ESheetLayout::Wide}) {
    MakeSheet(layout);
    bool tall = layout == ESheetLayout::Tall;
    sheet->resize(tall ? QSize(380, 620) : QSize(900, 460));
    sheet->show();
    auto* pages = Find<QTabWidget>("pages");
    for (int i = 0; i < pages->count(); ++i) {
      pages->setCurrentIndex(i);
      Pause(50);
      QString name = QStringLiteral("%1/%2-%3.png").arg(folder, tall ? "tall" : "wide").arg(i);
      EXPECT_TRUE(sheet->grab().save(name));
    }
  }
}

}  // namespace
