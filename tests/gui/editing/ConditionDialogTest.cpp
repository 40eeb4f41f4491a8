#include "gui/editing/ConditionDialog.h"

#include <QComboBox>

#include "SheetFixture.h"
#include "core/common/Encoding.h"
#include "core/common/MessageIds.h"

using namespace nuvo;

namespace {

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
