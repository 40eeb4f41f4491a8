#include "gui/editing/ConditionDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/common/MessageIds.h"
#include "core/common/StringTable.h"
#include "gui/common/QtText.h"

namespace nuvo {

CConditionDialog::CConditionDialog(const CItemCondition& condition, IUserPrompt& prompt,
                                   QWidget* parent)
    : QDialog(parent),
      prompt_(prompt),
      showRetired_(CItemCondition::IsRetired(condition.GetKind())) {
  setWindowTitle(QStringLiteral("商品状態の設定"));
  auto* grid = new QGridLayout(this);
  auto* kindLabel = new QLabel(QStringLiteral("商品の状態(&S):"));
  kinds_ = new QComboBox;
  for (std::int32_t kind : CItemCondition::ListOrder(showRetired_)) {
    kinds_->addItem(ToQString(CItemCondition::KindText(kind)), kind);
  }
  kinds_->setCurrentIndex(CItemCondition::ListPosition(condition.GetKind(), showRetired_));
  kindLabel->setBuddy(kinds_);
  grid->addWidget(kindLabel, 0, 0);
  grid->addWidget(kinds_, 0, 1);

  auto* remarkLabel = new QLabel(QStringLiteral("備考(&R):"));
  remark_ = new QLineEdit(ToQString(condition.GetRemark()));
  remark_->setReadOnly(true);
  remark_->setToolTip(ToQString(LoadString(IDS_CONDITION_NEEDS_REMARK)));
  remarkLabel->setBuddy(remark_);
  grid->addWidget(remarkLabel, 1, 0);
  grid->addWidget(remark_, 1, 1);
  auto* note =
      new QLabel(QStringLiteral("状態「中古」、「その他」、備考は2019/01で廃止されました。"));
  note->setWordWrap(true);
  grid->addWidget(note, 2, 0, 1, 2);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  grid->addWidget(buttons, 3, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  setMinimumWidth(360);
}

std::int32_t CConditionDialog::SelectedKind() const { return kinds_->currentData().toInt(); }

CItemCondition CConditionDialog::Condition() const {
  // The remark belonged to the withdrawn "その他" alone; a kind the dialog accepts goes without.
  return {SelectedKind(), std::string()};
}

void CConditionDialog::accept() {
  if (CItemCondition::IsRetired(SelectedKind())) {
    ShowMessage(prompt_, IDS_RETIRED_CONDITION);
    return;
  }
  QDialog::accept();
}

}  // namespace nuvo
