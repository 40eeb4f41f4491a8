#include <QApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QTabWidget>
#include <QTextCharFormat>

#include "../editing/SheetFixture.h"
#include "ShotFolder.h"
#include "core/common/Encoding.h"
#include "gui/decorate/DecorateEditView.h"
#include "gui/editing/BuyNowDialog.h"
#include "gui/editing/ConditionDialog.h"
#include "gui/editing/PhotoPage.h"
#include "support/TempDir.h"

using namespace nuvo;

namespace {

// The sheet in both arrangements, every page in turn, and its two small dialogs.
TEST_F(SheetTest, PicturesOfTheSheet) {
  shots::UseJapaneseFont();
  doc->SetTitle(Cp932("【美品】ヴィンテージ 腕時計 自動巻き 箱・保証書付き"));
  doc->SetPayItems({{Cp932("銀行振込"), Cp932("ゆうちょ銀行")}, {Cp932("Yahoo!かんたん決済"), ""}});
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
  shots::Save(buyNow, QStringLiteral("buy-now.png"));
  CConditionDialog condition(CItemCondition(0, ""), prompt);
  condition.show();
  shots::Save(condition, QStringLiteral("condition.png"));
  for (ESheetLayout layout : {ESheetLayout::Tall, ESheetLayout::Wide}) {
    MakeSheet(layout);
    bool tall = layout == ESheetLayout::Tall;
    sheet->resize(tall ? QSize(380, 620) : QSize(900, 460));
    sheet->show();
    auto* pages = Find<QTabWidget>("pages");
    for (int i = 0; i < pages->count(); ++i) {
      pages->setCurrentIndex(i);
      Pause(50);
      shots::Save(*sheet, QStringLiteral("%1-%2.png").arg(tall ? "tall" : "wide").arg(i));
    }
  }
}

// An input method's pre-edit in a decorated description: underlined, at the caret.
TEST_F(SheetTest, PictureOfAPreeditInTheDescription) {
  shots::UseJapaneseFont();
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
  shots::Save(*sheet, QStringLiteral("decorated-preedit.png"));
}

}  // namespace
