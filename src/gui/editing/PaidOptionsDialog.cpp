#include "gui/editing/PaidOptionsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>

namespace nuvo {
namespace {

constexpr std::array<std::uint32_t, 4> kFlagBits = {
    CChargeOptions::kBoldText, CChargeOptions::kBackgroundColor, CChargeOptions::kGiftIcon,
    CChargeOptions::kAffiliate};
constexpr std::array<const char*, 4> kFlagTexts = {"太字テキスト(&B)", "背景色(&G)",
                                                   "贈答品アイコン(&P)", "アフィリエイト(&A)"};
// The icons the service offers, by icon kind 2 to 8.
constexpr std::array<const char*, 7> kIcons = {"送料無料", "新品",   "中古",  "美品",
                                               "値下げ",   "限定品", "非売品"};

}  // namespace

CPaidOptionsDialog::CPaidOptionsDialog(const CChargeOptions& options, std::int64_t startPrice,
                                       QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("有料オプション設定"));
  auto* grid = new QGridLayout(this);
  int row = 0;
  featured_ = new QCheckBox(QStringLiteral("注目のオークション(&F):"));
  featuredAmount_ = new QSpinBox;
  featuredAmount_->setRange(20, 999);
  featuredAmount_->setSuffix(QStringLiteral(" 円／日"));
  featuredAmount_->setToolTip(QStringLiteral("1日あたりの金額を20円～999円で指定します"));
  featured_->setChecked(options.GetFeaturedAmount() > 0);
  featuredAmount_->setValue(options.GetFeaturedAmount() > 0 ? options.GetFeaturedAmount() : 20);
  grid->addWidget(featured_, row, 0);
  grid->addWidget(featuredAmount_, row++, 1);

  reserve_ = new QCheckBox(QStringLiteral("最低落札価格(&R):"));
  reservePrice_ = new QLineEdit(
      options.GetReservePrice() > 0 ? QString::number(options.GetReservePrice()) : QString());
  reservePrice_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,10}")), this));
  reservePrice_->setAlignment(Qt::AlignRight);
  reservePrice_->setToolTip(
      QStringLiteral("開始価格（%1円）より高い価格を指定します")
          .arg(QLocale(QLocale::Japanese).toString(static_cast<qlonglong>(startPrice))));
  reserve_->setChecked(options.GetReservePrice() > 0);
  grid->addWidget(reserve_, row, 0);
  grid->addWidget(reservePrice_, row, 1);
  grid->addWidget(new QLabel(QStringLiteral("円")), row++, 2);

  auto* iconLabel = new QLabel(QStringLiteral("目立ちアイコン(&I):"));
  grid->addWidget(iconLabel, row, 0);
  icon_ = new QComboBox;
  iconLabel->setBuddy(icon_);
  icon_->addItem(QStringLiteral("なし"));
  for (const char* icon : kIcons) icon_->addItem(QString::fromUtf8(icon));
  icon_->setCurrentIndex(options.GetIconKind() >= 2 ? options.GetIconKind() - 1 : 0);
  grid->addWidget(icon_, row++, 1);

  for (std::size_t i = 0; i < flags_.size(); ++i) {
    flags_[i] = new QCheckBox(QString::fromUtf8(kFlagTexts[i]));
    flags_[i]->setChecked(options.GetOptionFlags() & kFlagBits[i]);
    grid->addWidget(flags_[i], row++, 0, 1, 3);
  }

  collection_ = new QCheckBox(QStringLiteral("あなたへのおすすめコレクション(&C):"));
  collectionRate_ = new QDoubleSpinBox;
  collectionRate_->setDecimals(1);
  collectionRate_->setRange(1.0, 99.9);
  collectionRate_->setSingleStep(0.1);
  collectionRate_->setSuffix(QStringLiteral(" %"));
  collection_->setChecked(options.GetCollectionRate() > 0);
  collectionRate_->setValue(options.GetCollectionRate() > 0 ? options.GetCollectionRate() / 10.0
                                                            : 1.0);
  grid->addWidget(collection_, row, 0);
  grid->addWidget(collectionRate_, row++, 1);

  costs_ = new QLabel;
  costs_->setObjectName(QStringLiteral("costs"));
  grid->addWidget(costs_, row++, 0, 1, 3);

  const auto follow = [this](QCheckBox* box, QWidget* field) {
    field->setEnabled(box->isChecked());
    connect(box, &QCheckBox::toggled, field, &QWidget::setEnabled);
    connect(box, &QCheckBox::toggled, this, &CPaidOptionsDialog::ShowCosts);
  };
  follow(featured_, featuredAmount_);
  follow(reserve_, reservePrice_);
  follow(collection_, collectionRate_);
  connect(featuredAmount_, &QSpinBox::valueChanged, this, &CPaidOptionsDialog::ShowCosts);
  ShowCosts();

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  grid->addWidget(buttons, row, 0, 1, 3);
}

CChargeOptions CPaidOptionsDialog::Options() const {
  CChargeOptions options;
  options.SetFeaturedAmount(featured_->isChecked() ? featuredAmount_->value() : 0);
  options.SetReservePrice(reserve_->isChecked() ? reservePrice_->text().toLongLong() : 0);
  options.SetIconKind(icon_->currentIndex() > 0 ? icon_->currentIndex() + 1 : 0);
  std::uint32_t flags = 0;
  for (std::size_t i = 0; i < flags_.size(); ++i) {
    if (flags_[i]->isChecked()) flags |= kFlagBits[i];
  }
  options.SetOptionFlags(flags);
  options.SetCollectionRate(collection_->isChecked()
                                ? static_cast<std::int32_t>(collectionRate_->value() * 10 + 0.5)
                                : 0);
  return options;
}

// The service charges the featured auction by the day; the other options' charges depend on
// the service's price list, which the seller sees on its confirmation page.
void CPaidOptionsDialog::ShowCosts() {
  costs_->setText(
      featured_->isChecked()
          ? QStringLiteral("注目のオークションの費用: 1日あたり %1円（開催期間の日数分かかります）")
                .arg(featuredAmount_->value())
          : QStringLiteral("有料オプションの費用は、出品の確認ページで確認できます。"));
}

}  // namespace nuvo
