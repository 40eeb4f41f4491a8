#include "gui/editing/ShipPage.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "SheetFixture.h"
#include "core/common/Encoding.h"
#include "core/common/MessageIds.h"
#include "gui/editing/ConditionDialog.h"

using namespace nuvo;

namespace {

TEST_F(SheetTest, ShippingFieldsAreWrittenOnLeavingThemAndRereadOnUndo) {
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
  fee->setText(QStringLiteral("250"));
  emit fee->editingFinished();
  emit fee->editingFinished();  // left again without a change: no second command
  auto* feeType = Find<QComboBox>("shipFeeType");
  EXPECT_FALSE(Find<QLineEdit>("shipFeeTable")->isEnabled());
  emit feeType->activated(CShipMethod::kFeeTable);
  EXPECT_TRUE(Find<QLineEdit>("shipFeeTable")->isEnabled());
  EXPECT_FALSE(fee->isEnabled());
  EXPECT_EQ(doc->GetShipping().methods[1].fee, 250);
  EXPECT_EQ(doc->GetShipping().methods[1].feeType, CShipMethod::kFeeTable);
  EXPECT_EQ(UndoDepth(), 2);

  CCommandHistory& history = doc->GetCommandHistory();
  history.Undo();
  history.Undo();
  EXPECT_EQ(methods->currentRow(), 1);
  EXPECT_EQ(fee->text(), QString());  // not entered
  EXPECT_EQ(feeType->currentIndex(), CShipMethod::kFlatFee);
  EXPECT_EQ(doc->GetShipping().methods[1].fee, CShipMethod::kNotEntered);
}

TEST_F(SheetTest, RetiredConditionsAreListedOnlyWhileHeldAndRefused) {
  CConditionDialog current(CItemCondition(4, ""), prompt);
  auto* kinds = current.findChild<QComboBox*>();
  ASSERT_EQ(kinds->count(), 6);
  EXPECT_EQ(kinds->currentData().toInt(), 4);

  CConditionDialog retired(CItemCondition(2, Cp932("難あり")), prompt);
  kinds = retired.findChild<QComboBox*>();
  ASSERT_EQ(kinds->count(), 8);
  EXPECT_EQ(kinds->currentData().toInt(), 2);
  retired.accept();
  EXPECT_EQ(prompt.Ids(), std::vector<int>{IDS_RETIRED_CONDITION});
  EXPECT_EQ(retired.result(), QDialog::Rejected);
  kinds->setCurrentIndex(0);
  retired.accept();
  EXPECT_EQ(retired.result(), QDialog::Accepted);
  EXPECT_EQ(retired.Condition(), CItemCondition(1, ""));
}

}  // namespace
