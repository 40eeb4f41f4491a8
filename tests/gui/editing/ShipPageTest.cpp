#include "gui/editing/ShipPage.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "SheetFixture.h"
#include "core/common/Encoding.h"
#include "core/common/MessageIds.h"

using namespace nuvo;

namespace {

TEST_F(SheetTest, FeesAreWrittenAsTypedOtherFieldsOnLeavingThemAndAllAreRereadOnUndo) {
  CShipSettings shipping = doc->GetShipping();
  shipping.methods.resize(2);
  shipping.methods[1].name = Cp932("定形外郵便");
  doc->SetShipping(shipping);
  sheet->UpdateFromDocument(change::kShipMethods);
  auto* methods = Find<QListWidget>("shipMethods");
  methods->setCurrentRow(1);
  auto* name = Find<QLineEdit>("shipName");
  EXPECT_EQ(name->text(), QStringLiteral("定形外郵便"));

  auto* fee = Find<QLineEdit>("shipFee");
  // Each typed digit reaches the listing at once, not only when the box is left.
  fee->setFocus();
  Type(fee, QStringLiteral("25"));
  EXPECT_EQ(doc->GetShipping().methods[1].fee, 25);
  Type(fee, QStringLiteral("0"));
  EXPECT_EQ(fee->cursorPosition(), 3);
  emit fee->editingFinished();  // leaving the box adds nothing
  auto* feeType = Find<QComboBox>("shipFeeType");
  EXPECT_FALSE(Find<QLineEdit>("shipFeeTable")->isEnabled());
  emit feeType->activated(CShipMethod::kFeeTable);
  EXPECT_TRUE(Find<QLineEdit>("shipFeeTable")->isEnabled());
  EXPECT_FALSE(fee->isEnabled());
  EXPECT_EQ(doc->GetShipping().methods[1].fee, 250);
  EXPECT_EQ(doc->GetShipping().methods[1].feeType, CShipMethod::kFeeTable);
  EXPECT_EQ(UndoDepth(), 4);

  CCommandHistory& history = doc->GetCommandHistory();
  history.Undo();
  history.Undo();
  EXPECT_EQ(methods->currentRow(), 1);
  EXPECT_EQ(feeType->currentIndex(), CShipMethod::kFlatFee);
  EXPECT_EQ(fee->text(), QStringLiteral("25"));
  history.Undo();
  history.Undo();
  EXPECT_EQ(fee->text(), QString());  // not entered
  EXPECT_EQ(doc->GetShipping().methods[1].fee, CShipMethod::kNotEntered);
}

}  // namespace
