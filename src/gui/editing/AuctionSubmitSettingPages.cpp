#include "gui/editing/AuctionSubmitSettingPages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/editing/Prefectures.h"
#include "gui/common/QtText.h"
#include "gui/editing/TextBoxLink.h"

namespace nuvo {
namespace {

QSpinBox* SpinBox(int min, int max, const QString& suffix, const QString& tip) {
  auto* box = new QSpinBox;
  box->setRange(min, max);
  box->setSuffix(suffix);
  box->setToolTip(tip);
  box->setAlignment(Qt::AlignRight);
  return box;
}

void SetBit(int& bits, int bit, bool on) { bits = on ? bits | bit : bits & ~bit; }

// A spin box whose text the seller left unfinished keeps the page open on that box.
bool Acceptable(QSpinBox* box) {
  if (box->hasAcceptableInput()) return true;
  box->setFocus();
  box->selectAll();
  return false;
}

std::string Text(const QString& text) {
  return FromQString(text.trimmed()).value_or(std::string());
}

}  // namespace

CAuctionSubmitSettingBasicBasePage::CAuctionSubmitSettingBasicBasePage(ESubmitForm form,
                                                                       QWidget* parent)
    : CAuctionSubmitSettingBasePage(form, parent) {
  auto* layout = new QFormLayout(this);
  duration_ =
      SpinBox(CSubmitBasicSettings::kMinDuration, CSubmitBasicSettings::kMaxDuration,
              QStringLiteral(" 日間"), QStringLiteral("オークションの期間を1～7日で指定します"));
  closingTime_ = SpinBox(0, CSubmitBasicSettings::kMaxClosingTime, QStringLiteral(" 時台"),
                         QStringLiteral("終了する時間帯を0～23時で指定します"));
  numResubmit_ = SpinBox(0, CSubmitBasicSettings::kMaxResubmit, QStringLiteral(" 回"),
                         QStringLiteral("落札されなかったときに自動で再出品する回数です"));
  layout->addRow(QStringLiteral("開催期間(&D):"), duration_);
  layout->addRow(QStringLiteral("終了時間(&T):"), closingTime_);
  layout->addRow(QStringLiteral("自動再出品(&R):"), numResubmit_);
  closeEarly_ = new QCheckBox(QStringLiteral("早期終了あり(&E)"));
  closeEarly_->setToolTip(QStringLiteral("終了予定前でも出品者がオークションを終了できます"));
  autoExtension_ = new QCheckBox(QStringLiteral("自動延長あり(&A)"));
  autoExtension_->setToolTip(
      QStringLiteral("終了5分前から終了までに入札があると、終了時間を5分延長します"));
  layout->addRow(closeEarly_);
  layout->addRow(autoExtension_);
}

void CAuctionSubmitSettingBasicBasePage::Show(const CCommonSubmitSettings& settings) {
  const CSubmitBasicSettings& basic = settings.basic;
  duration_->setValue(basic.duration);
  closingTime_->setValue(basic.closingTime);
  numResubmit_->setValue(basic.numResubmit);
  closeEarly_->setChecked(basic.toggleVal & CSubmitBasicSettings::kCloseEarly);
  autoExtension_->setChecked(basic.toggleVal & CSubmitBasicSettings::kAutoExtension);
}

bool CAuctionSubmitSettingBasicBasePage::Store(CCommonSubmitSettings& settings) const {
  if (!Acceptable(duration_) || !Acceptable(closingTime_) || !Acceptable(numResubmit_)) {
    return false;
  }
  CSubmitBasicSettings& basic = settings.basic;
  basic.duration = duration_->value();
  basic.closingTime = closingTime_->value();
  basic.numResubmit = numResubmit_->value();
  basic.toggleVal = (closeEarly_->isChecked() ? CSubmitBasicSettings::kCloseEarly : 0) |
                    (autoExtension_->isChecked() ? CSubmitBasicSettings::kAutoExtension : 0);
  return true;
}

CAuctionSubmitSettingBidLimitBasePage::CAuctionSubmitSettingBidLimitBasePage(ESubmitForm form,
                                                                             QWidget* parent)
    : CAuctionSubmitSettingBasePage(form, parent) {
  auto* layout = new QVBoxLayout(this);
  minBidRating_ = new QCheckBox(QStringLiteral("評価の合計がマイナスの人は入札できない(&M)"));
  badRatingRatio_ = new QCheckBox(QStringLiteral("悪い評価の割合が多い人は入札できない(&B)"));
  bidCreditLimit_ = new QCheckBox(QStringLiteral("本人確認をしていない人は入札できない(&C)"));
  salesContract_ = new QCheckBox(QStringLiteral("売買契約を結ぶ（通常出品のみ）(&S)"));
  salesContract_->setVisible(form == ESubmitForm::Normal);
  for (QCheckBox* box : {minBidRating_, badRatingRatio_, bidCreditLimit_, salesContract_}) {
    layout->addWidget(box);
  }
  layout->addStretch();
}

void CAuctionSubmitSettingBidLimitBasePage::Show(const CCommonSubmitSettings& settings) {
  const int bits = settings.bidLimit.toggleVal;
  minBidRating_->setChecked(bits & CSubmitBidLimitSettings::kMinBidRating);
  badRatingRatio_->setChecked(bits & CSubmitBidLimitSettings::kBadRatingRatio);
  bidCreditLimit_->setChecked(bits & CSubmitBidLimitSettings::kBidCreditLimit);
  salesContract_->setChecked(bits & CSubmitBidLimitSettings::kSalesContract);
}

bool CAuctionSubmitSettingBidLimitBasePage::Store(CCommonSubmitSettings& settings) const {
  int& bits = settings.bidLimit.toggleVal;
  SetBit(bits, CSubmitBidLimitSettings::kMinBidRating, minBidRating_->isChecked());
  SetBit(bits, CSubmitBidLimitSettings::kBadRatingRatio, badRatingRatio_->isChecked());
  SetBit(bits, CSubmitBidLimitSettings::kBidCreditLimit, bidCreditLimit_->isChecked());
  // The easy-trade form has no sales contract; the choice made for the normal form stays.
  if (Form() == ESubmitForm::Normal) {
    SetBit(bits, CSubmitBidLimitSettings::kSalesContract, salesContract_->isChecked());
  }
  return true;
}

CAuctionSubmitSettingMarkdownBasePage::CAuctionSubmitSettingMarkdownBasePage(ESubmitForm form,
                                                                             QWidget* parent)
    : CAuctionSubmitSettingBasePage(form, parent) {
  auto* layout = new QFormLayout(this);
  markdown_ = new QCheckBox(QStringLiteral("自動再出品のときに価格を下げる(&M)"));
  markdown_->setToolTip(QStringLiteral("自動再出品のたびに、開始価格と即決価格を下げます"));
  ratio_ = new QComboBox;
  for (int ratio : CSubmitMarkdownSettings::kRatios) {
    ratio_->addItem(QStringLiteral("%1%").arg(ratio));
  }
  layout->addRow(markdown_);
  layout->addRow(QStringLiteral("値下げ率(&R):"), ratio_);
  layout->addRow(
      new QLabel(QStringLiteral("※自動値下げは、自動再出品の回数が1回以上のときに"
                                "有効になります。")));
  ratio_->setEnabled(false);
  connect(markdown_, &QCheckBox::toggled, ratio_, &QWidget::setEnabled);
}

void CAuctionSubmitSettingMarkdownBasePage::Show(const CCommonSubmitSettings& settings) {
  markdown_->setChecked(settings.markdown.IsOn());
  ratio_->setCurrentIndex(settings.markdown.markdownRatio);
}

bool CAuctionSubmitSettingMarkdownBasePage::Store(CCommonSubmitSettings& settings) const {
  settings.markdown.toggleVal = markdown_->isChecked() ? CSubmitMarkdownSettings::kMarkdownOn : 0;
  settings.markdown.markdownRatio = ratio_->currentIndex();
  return true;
}

CAuctionSubmitSettingPayEasyTradingBasePage::CAuctionSubmitSettingPayEasyTradingBasePage(
    ESubmitForm form, QWidget* parent)
    : CAuctionSubmitSettingBasePage(form, parent) {
  auto* layout = new QVBoxLayout(this);
  easyPayment_ = new QCheckBox(QStringLiteral("Yahoo!かんたん決済(&K)"));
  layout->addWidget(easyPayment_);
  auto* note = new QLabel(
      QStringLiteral("「かんたん取引出品」では、代金はYahoo!かんたん決済で支払われます。\n"
                     "銀行振込などのほかの支払い方法は指定できません。"));
  note->setWordWrap(true);
  layout->addWidget(note);
  layout->addStretch();
}

void CAuctionSubmitSettingPayEasyTradingBasePage::Show(const CCommonSubmitSettings& settings) {
  easyPayment_->setChecked(settings.pay.aspj & CSubmitPaySettings::kEasyPayment);
}

bool CAuctionSubmitSettingPayEasyTradingBasePage::Store(CCommonSubmitSettings& settings) const {
  SetBit(settings.pay.aspj, CSubmitPaySettings::kEasyPayment, easyPayment_->isChecked());
  return true;
}

CAuctionSubmitSettingPayNormalSubmitBasePage::CAuctionSubmitSettingPayNormalSubmitBasePage(
    ESubmitForm form, const CSubmitSettingHistory& history, IUserPrompt& prompt, QWidget* parent)
    : CAuctionSubmitSettingBasePage(form, parent) {
  auto* grid = new QGridLayout(this);
  easyPayment_ = new QCheckBox(QStringLiteral("Yahoo!かんたん決済(&K)"));
  grid->addWidget(easyPayment_, 0, 0, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("銀行振込の銀行名:")), 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("その他の支払い方法:")), 1, 2);
  const auto makeBox = [&](const std::vector<std::string>& offered) {
    auto* box = new QComboBox;
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& text : offered) box->addItem(ToQString(text));
    GuardCharacters(box->lineEdit(), prompt);
    return box;
  };
  for (int i = 0; i < CSubmitPaySettings::kMaxEntries; ++i) {
    grid->addWidget(new QLabel(QString::number(i + 1)), i + 2, 0);
    banks_[static_cast<std::size_t>(i)] = makeBox(history.bankNames);
    others_[static_cast<std::size_t>(i)] = makeBox(history.payMethods);
    grid->addWidget(banks_[static_cast<std::size_t>(i)], i + 2, 1);
    grid->addWidget(others_[static_cast<std::size_t>(i)], i + 2, 2);
  }
}

void CAuctionSubmitSettingPayNormalSubmitBasePage::Show(const CCommonSubmitSettings& settings) {
  easyPayment_->setChecked(settings.pay.aspj & CSubmitPaySettings::kEasyPayment);
  const auto fill = [](const Boxes& boxes, const std::vector<std::string>& texts) {
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      boxes[i]->setEditText(i < texts.size() ? ToQString(texts[i]) : QString());
    }
  };
  fill(banks_, settings.pay.bankNames);
  fill(others_, settings.pay.otherPayMethods);
}

bool CAuctionSubmitSettingPayNormalSubmitBasePage::Store(CCommonSubmitSettings& settings) const {
  SetBit(settings.pay.aspj, CSubmitPaySettings::kEasyPayment, easyPayment_->isChecked());
  // Empty boxes between filled ones close up: the form takes the accounts in order.
  const auto collect = [](const Boxes& boxes) {
    std::vector<std::string> texts;
    for (QComboBox* box : boxes) {
      if (std::string text = Text(box->currentText()); !text.empty()) texts.push_back(text);
    }
    return texts;
  };
  settings.pay.bankNames = collect(banks_);
  settings.pay.otherPayMethods = collect(others_);
  return true;
}

CAuctionSubmitSettingPostBasePage::CAuctionSubmitSettingPostBasePage(ESubmitForm form,
                                                                     IUserPrompt& prompt,
                                                                     QWidget* parent)
    : CAuctionSubmitSettingBasePage(form, parent) {
  auto* layout = new QFormLayout(this);
  auto* payer = new QWidget;
  auto* payerLayout = new QHBoxLayout(payer);
  payerLayout->setContentsMargins(0, 0, 0, 0);
  buyerPays_ = new QRadioButton(QStringLiteral("落札者(&B)"));
  sellerPays_ = new QRadioButton(QStringLiteral("出品者(&S)"));
  payerLayout->addWidget(buyerPays_);
  payerLayout->addWidget(sellerPays_);
  payerLayout->addStretch();
  layout->addRow(QStringLiteral("送料負担:"), payer);

  shipTime_ = new QComboBox;
  shipTime_->addItems({QStringLiteral("先払い（入金を確認してから発送）"),
                       QStringLiteral("後払い（商品の到着後に支払い）")});
  if (form == ESubmitForm::Normal) layout->addRow(QStringLiteral("支払いの時期(&P):"), shipTime_);
  shipTime_->setVisible(form == ESubmitForm::Normal);

  scheduleOn_ = new QCheckBox(QStringLiteral("発送までの日数を指定する(&D)"));
  schedule_ = new QComboBox;
  schedule_->addItems({QStringLiteral("支払い手続きから1～2日で発送"),
                       QStringLiteral("支払い手続きから2～3日で発送"),
                       QStringLiteral("支払い手続きから3～7日で発送"),
                       QStringLiteral("支払い手続きから8日以降に発送")});
  layout->addRow(scheduleOn_);
  layout->addRow(QStringLiteral("発送までの日数:"), schedule_);
  connect(scheduleOn_, &QCheckBox::toggled, schedule_, &QWidget::setEnabled);

  intlOk_ = new QCheckBox(QStringLiteral("海外発送に対応する(&I)"));
  layout->addRow(intlOk_);
  ypkOk_ = new QCheckBox(QStringLiteral("ゆうパックでの発送に対応する(&Y)"));
  if (form == ESubmitForm::Normal) layout->addRow(ypkOk_);
  ypkOk_->setVisible(form == ESubmitForm::Normal);

  prefecture_ = new QComboBox;
  for (int number = 1; number <= kPrefectureCount; ++number) {
    prefecture_->addItem(ToQString(PrefectureName(number)));
  }
  layout->addRow(QStringLiteral("発送元の地域(&L):"), prefecture_);
  city_ = new QLineEdit;
  city_->setToolTip(QStringLiteral("発送元の市区町村を入力します（省略できます）"));
  GuardCharacters(city_, prompt);
  layout->addRow(QStringLiteral("市区町村(&C):"), city_);
}

void CAuctionSubmitSettingPostBasePage::Show(const CCommonSubmitSettings& settings) {
  const CSubmitPostSettings& post = settings.post;
  (post.SellerPaysPostage() ? sellerPays_ : buyerPays_)->setChecked(true);
  shipTime_->setCurrentIndex(post.shipTime);
  scheduleOn_->setChecked(post.toggleVal & CSubmitPostSettings::kShipScheduleOn);
  schedule_->setEnabled(scheduleOn_->isChecked());
  schedule_->setCurrentIndex(post.shipSchedule);
  intlOk_->setChecked(post.toggleVal & CSubmitPostSettings::kIntlOk);
  ypkOk_->setChecked(post.toggleVal & CSubmitPostSettings::kYpkOk);
  prefecture_->setCurrentIndex(post.locCd - 1);
  city_->setText(ToQString(post.city));
}

bool CAuctionSubmitSettingPostBasePage::Store(CCommonSubmitSettings& settings) const {
  CSubmitPostSettings& post = settings.post;
  post.shipping = sellerPays_->isChecked() ? 1 : 0;
  if (Form() == ESubmitForm::Normal) post.shipTime = shipTime_->currentIndex();
  post.shipSchedule = schedule_->currentIndex();
  SetBit(post.toggleVal, CSubmitPostSettings::kShipScheduleOn, scheduleOn_->isChecked());
  SetBit(post.toggleVal, CSubmitPostSettings::kIntlOk, intlOk_->isChecked());
  if (Form() == ESubmitForm::Normal) {
    SetBit(post.toggleVal, CSubmitPostSettings::kYpkOk, ypkOk_->isChecked());
  }
  post.locCd = prefecture_->currentIndex() + 1;
  post.city = Text(city_->text());
  return true;
}

CAuctionSubmitSettingReturnPolicyBasePage::CAuctionSubmitSettingReturnPolicyBasePage(
    ESubmitForm form, IUserPrompt& prompt, QWidget* parent)
    : CAuctionSubmitSettingBasePage(form, parent) {
  auto* layout = new QFormLayout(this);
  accepted_ = new QCheckBox(QStringLiteral("返品を受け付ける(&R)"));
  note_ = new QLineEdit;
  note_->setToolTip(QStringLiteral("返品の条件などを入力します"));
  GuardCharacters(note_, prompt);
  layout->addRow(accepted_);
  layout->addRow(QStringLiteral("返品についての備考(&N):"), note_);
}

void CAuctionSubmitSettingReturnPolicyBasePage::Show(const CCommonSubmitSettings& settings) {
  accepted_->setChecked(settings.returnPolicy.returnPolicy != 0);
  note_->setText(ToQString(settings.returnPolicy.returnPolicyNote));
}

bool CAuctionSubmitSettingReturnPolicyBasePage::Store(CCommonSubmitSettings& settings) const {
  settings.returnPolicy.returnPolicy = accepted_->isChecked() ? 1 : 0;
  settings.returnPolicy.returnPolicyNote = Text(note_->text());
  return true;
}

}  // namespace nuvo
