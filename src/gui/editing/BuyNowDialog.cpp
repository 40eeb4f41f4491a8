#include "gui/editing/BuyNowDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace nuvo {

CBuyNowDialog::CBuyNowDialog(std::int64_t startPrice, std::int64_t buyNowPrice, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("即決設定"));
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("開始価格:")), 0, 0);
  auto* start = new QLabel(QLocale(QLocale::Japanese).toString(startPrice));
  start->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  grid->addWidget(start, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("円")), 0, 2);

  enabled_ = new QCheckBox(QStringLiteral("即決価格を設定する(&E)"));
  enabled_->setChecked(buyNowPrice > 0);
  grid->addWidget(enabled_, 1, 0, 1, 3);
  auto* label = new QLabel(QStringLiteral("即決価格(&B):"));
  grid->addWidget(label, 2, 0);
  price_ = new QLineEdit(buyNowPrice > 0 ? QString::number(buyNowPrice) : QString());
  price_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,12}")), price_));
  price_->setAlignment(Qt::AlignRight);
  price_->setToolTip(QStringLiteral("即決価格を円単位で入力します"));
  label->setBuddy(price_);
  grid->addWidget(price_, 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("円")), 2, 2);
  price_->setEnabled(enabled_->isChecked());
  connect(enabled_, &QCheckBox::toggled, price_, &QWidget::setEnabled);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  grid->addWidget(buttons, 3, 0, 1, 3);
}

std::int64_t CBuyNowDialog::BuyNowPrice() const {
  return enabled_->isChecked() ? price_->text().toLongLong() : 0;
}

}  // namespace nuvo
