#include "gui/editing/ShipPage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/editing/RowCommands.h"
#include "core/editing/ShipServicesCommand.h"
#include "gui/common/QtText.h"
#include "gui/editing/ItemListPage.h"
#include "gui/editing/ShipServicesDialog.h"
#include "gui/editing/TextBoxLink.h"

namespace nuvo {
namespace {

constexpr std::array<EShipRowField, 3> kRegionalFields = {
    EShipRowField::HokkaidoFee, EShipRowField::OkinawaFee, EShipRowField::IslandsFee};

QLineEdit* FeeBox(const QString& tip) {
  auto* box = new QLineEdit;
  box->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), box));
  box->setAlignment(Qt::AlignRight);
  box->setToolTip(tip);
  box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 12);
  return box;
}

QWidget* WithYen(QLineEdit* box) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(box);
  layout->addWidget(new QLabel(QStringLiteral("円")));
  layout->addStretch(1);
  return row;
}

// Shows a fee; a box that already shows it keeps its caret, so typing goes on undisturbed.
void ShowFee(QLineEdit* box, std::int64_t yen) {
  QString text = CShipMethod::IsEntered(yen) ? QString::number(yen) : QString();
  if (box->text() != text) box->setText(text);
}

}  // namespace

CShipPage::CShipPage(const SheetContext& context, QWidget* parent) : CSheetPage(context, parent) {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* scroll = new QScrollArea;
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* content = new QWidget;
  auto* layout = new QVBoxLayout(content);
  layout->addWidget(BuildMethods());
  // The service's own carrier services are edited in a dialog of their own, as one step.
  auto* services = new QPushButton(QStringLiteral("ヤフオク!特有の配送方法(&Y)..."));
  services->setObjectName(QStringLiteral("shipServices"));
  services->setToolTip(
      QStringLiteral("ヤフネコ!パック、はこBOON、おてがる版の配送方法を設定します"));
  connect(services, &QPushButton::clicked, this, [this] {
    CShipServicesDialog dialog(context_.doc.GetShipping(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    Run(MakeSetShipServicesCommand(context_.doc, dialog.Services()));
  });
  layout->addWidget(services, 0, Qt::AlignLeft);
  auto* post = new QGroupBox(QStringLiteral("発送の説明"));
  auto* postLayout = new QVBoxLayout(post);
  postItems_ = new CItemListPage(context, ERowList::Post, post);
  postLayout->addWidget(postItems_);
  layout->addWidget(post);
  layout->addWidget(BuildSizeWeight());
  layout->addStretch(1);
  scroll->setWidget(content);
  outer->addWidget(scroll);
}

QWidget* CShipPage::BuildMethods() {
  auto* group = new QGroupBox(QStringLiteral("配送方法"));
  auto* layout = new QVBoxLayout(group);
  auto* left = new QHBoxLayout;
  methods_ = new QListWidget;
  methods_->setObjectName(QStringLiteral("shipMethods"));
  methods_->setToolTip(QStringLiteral("配送方法の一覧です"));
  methods_->setFixedHeight(methods_->fontMetrics().lineSpacing() * 4 + 8);
  connect(methods_, &QListWidget::currentRowChanged, this, &CShipPage::ShowMethod);
  left->addWidget(methods_, 1);
  auto* buttons = new QGridLayout;
  auto* add = new QPushButton(QStringLiteral("追加"));
  add->setToolTip(QStringLiteral("配送方法を追加します"));
  remove_ = new QPushButton(QStringLiteral("削除"));
  remove_->setToolTip(QStringLiteral("選択された配送方法を削除します"));
  up_ = new QPushButton(QStringLiteral("↑ひとつ上へ"));
  up_->setToolTip(QStringLiteral("配送方法をひとつ上へ移動します"));
  down_ = new QPushButton(QStringLiteral("↓ひとつ下へ"));
  down_->setToolTip(QStringLiteral("配送方法をひとつ下へ移動します"));
  buttons->addWidget(add, 0, 0);
  buttons->addWidget(remove_, 0, 1);
  buttons->addWidget(up_, 1, 0);
  buttons->addWidget(down_, 1, 1);
  buttons->setRowStretch(2, 1);
  left->addLayout(buttons);
  layout->addLayout(left);
  connect(add, &QPushButton::clicked, this, [this] {
    Run(MakeAddRowCommand(context_.doc, ERowList::ShipMethods));
    ShowMethods();
    methods_->setCurrentRow(methods_->count() - 1);
    name_->setFocus();
  });
  connect(remove_, &QPushButton::clicked, this, [this] {
    int row = CurrentRow();
    RunOnRow(
        MakeDeleteRowCommand(context_.doc, ERowList::ShipMethods, static_cast<std::size_t>(row)));
    methods_->setCurrentRow(std::min(row, methods_->count() - 1));
  });
  auto move = [this](EMoveDirection direction) {
    int row = CurrentRow();
    RunOnRow(MakeMoveRowCommand(context_.doc, ERowList::ShipMethods, static_cast<std::size_t>(row),
                                direction));
    methods_->setCurrentRow(row + (direction == EMoveDirection::Up ? -1 : 1));
  };
  connect(up_, &QPushButton::clicked, this, [move] { move(EMoveDirection::Up); });
  connect(down_, &QPushButton::clicked, this, [move] { move(EMoveDirection::Down); });

  fields_ = new QWidget;
  auto* form = new QFormLayout(fields_);
  form->setContentsMargins(0, 0, 0, 0);
  name_ = new QLineEdit;
  name_->setObjectName(QStringLiteral("shipName"));
  name_->setToolTip(QStringLiteral("配送方法の名前を入力します"));
  GuardCharacters(name_, context_.prompt);
  connect(name_, &QLineEdit::editingFinished, this,
          [this] { CommitText(EShipRowField::Name, name_); });
  form->addRow(QStringLiteral("名称(&M):"), name_);
  feeType_ = new QComboBox;
  feeType_->setObjectName(QStringLiteral("shipFeeType"));
  for (std::int32_t type = 0; type < CShipMethod::kFeeTypeCount; ++type) {
    feeType_->addItem(ToQString(CShipMethod::FeeTypeText(type)));
  }
  feeType_->setToolTip(QStringLiteral("送料の設定方法を選択します"));
  connect(feeType_, &QComboBox::activated, this, &CShipPage::CommitFeeType);
  form->addRow(QStringLiteral("送料区分(&K):"), feeType_);
  fee_ = FeeBox(QStringLiteral("全国一律の送料を入力します"));
  fee_->setObjectName(QStringLiteral("shipFee"));
  // A fee reaches the listing as it is typed, so the preview follows it after the typing pause.
  connect(fee_, &QLineEdit::textEdited, this, [this] { CommitFee(EShipRowField::Fee, fee_); });
  form->addRow(QStringLiteral("送料(&F):"), WithYen(fee_));
  const char* regions[] = {"北海道", "沖縄", "離島"};
  for (std::size_t i = 0; i < regionalFees_.size(); ++i) {
    QString region = QString::fromUtf8(regions[i]);
    regionalFees_[i] = FeeBox(QStringLiteral("%1への送料を入力します").arg(region));
    regionalFees_[i]->setObjectName(QStringLiteral("shipRegionalFee%1").arg(i));
    connect(regionalFees_[i], &QLineEdit::textEdited, this,
            [this, i] { CommitFee(kRegionalFields[i], regionalFees_[i]); });
    form->addRow(region + QStringLiteral(":"), WithYen(regionalFees_[i]));
  }
  feeTable_ = new QLineEdit;
  feeTable_->setObjectName(QStringLiteral("shipFeeTable"));
  feeTable_->setToolTip(QStringLiteral("送料を載せたページのアドレスを入力します"));
  GuardCharacters(feeTable_, context_.prompt);
  connect(feeTable_, &QLineEdit::editingFinished, this,
          [this] { CommitText(EShipRowField::FeeTableUrl, feeTable_); });
  form->addRow(QStringLiteral("料金表(&U):"), feeTable_);
  layout->addWidget(fields_);
  return group;
}

QWidget* CShipPage::BuildSizeWeight() {
  auto* group = new QGroupBox(QStringLiteral("サイズ・重量"));
  auto* layout = new QGridLayout(group);
  auto makeFlag = [](const QString& unit) {
    auto* flag = new QComboBox;
    flag->addItem(QStringLiteral("%1以上").arg(unit));  // flag 0: "%dcm～"
    flag->addItem(QStringLiteral("%1以下").arg(unit));  // flag 1: "～%dcm"
    return flag;
  };
  size_ = new QSpinBox;
  size_->setRange(0, 999);
  size_->setKeyboardTracking(false);
  size_->setSpecialValueText(QStringLiteral("なし"));
  size_->setToolTip(QStringLiteral("3辺の合計サイズを設定します"));
  sizeFlag_ = makeFlag(QStringLiteral("cm"));
  weight_ = new QSpinBox;
  weight_->setRange(0, 999);
  weight_->setKeyboardTracking(false);
  weight_->setSpecialValueText(QStringLiteral("なし"));
  weight_->setToolTip(QStringLiteral("重量を設定します"));
  weightFlag_ = makeFlag(QStringLiteral("kg"));
  auto* sizeLabel = new QLabel(QStringLiteral("3辺の合計(&Z):"));
  sizeLabel->setBuddy(size_);
  auto* weightLabel = new QLabel(QStringLiteral("重量(&W):"));
  weightLabel->setBuddy(weight_);
  layout->addWidget(sizeLabel, 0, 0);
  layout->addWidget(size_, 0, 1);
  layout->addWidget(sizeFlag_, 0, 2);
  layout->addWidget(weightLabel, 1, 0);
  layout->addWidget(weight_, 1, 1);
  layout->addWidget(weightFlag_, 1, 2);
  layout->setColumnStretch(3, 1);
  connect(size_, &QSpinBox::valueChanged, this, &CShipPage::CommitSizeWeight);
  connect(weight_, &QSpinBox::valueChanged, this, &CShipPage::CommitSizeWeight);
  connect(sizeFlag_, &QComboBox::currentIndexChanged, this, &CShipPage::CommitSizeWeight);
  connect(weightFlag_, &QComboBox::currentIndexChanged, this, &CShipPage::CommitSizeWeight);
  return group;
}

void CShipPage::UpdateFromDocument(std::uint32_t mask) {
  if (mask & change::kShipMethods) ShowMethods();
  if (mask & change::kShipSheet) ShowSizeWeight();
  postItems_->UpdateFromDocument(mask);
}

int CShipPage::CurrentRow() const { return methods_->currentRow(); }

void CShipPage::ShowMethods() {
  updating_ = true;
  int keep = methods_->currentRow();
  std::vector<CShipMethod> methods = context_.doc.GetShipping().methods;
  methods_->clear();
  for (const CShipMethod& method : methods) {
    QString name = ToQString(method.name);
    methods_->addItem(name.isEmpty() ? QStringLiteral("（名称未設定）") : name);
  }
  updating_ = false;
  methods_->setCurrentRow(std::min(std::max(keep, 0), methods_->count() - 1));
  ShowMethod(methods_->currentRow());
}

void CShipPage::ShowMethod(int row) {
  if (updating_) return;
  std::vector<CShipMethod> methods = context_.doc.GetShipping().methods;
  bool valid = row >= 0 && row < static_cast<int>(methods.size());
  fields_->setEnabled(valid);
  remove_->setEnabled(valid);
  up_->setEnabled(valid && row > 0);
  down_->setEnabled(valid && row + 1 < static_cast<int>(methods.size()));
  CShipMethod method = valid ? methods[static_cast<std::size_t>(row)] : CShipMethod();
  updating_ = true;
  name_->setText(ToQString(method.name));
  feeType_->setCurrentIndex(method.feeType);
  ShowFee(fee_, method.fee);
  ShowFee(regionalFees_[0], method.hokkaidoFee);
  ShowFee(regionalFees_[1], method.okinawaFee);
  ShowFee(regionalFees_[2], method.islandsFee);
  feeTable_->setText(ToQString(method.feeTableUrl));
  updating_ = false;
  SuitFieldsToFeeType(method.feeType);
}

void CShipPage::SuitFieldsToFeeType(std::int32_t type) {
  CShipMethod probe;
  probe.feeType = type;
  fee_->setEnabled(probe.UsesFee());
  for (QLineEdit* box : regionalFees_) box->setEnabled(probe.UsesRegionalFees());
  feeTable_->setEnabled(probe.UsesFeeTable());
}

void CShipPage::RunOnRow(std::unique_ptr<CEditCommand> command) {
  Run(std::move(command));
  ShowMethods();
}

void CShipPage::CommitText(EShipRowField field, QLineEdit* box) {
  int row = CurrentRow();
  if (updating_ || row < 0) return;
  std::optional<std::string> text = FromQString(box->text());
  if (!text) return;
  const CShipMethod& method = context_.doc.GetShipping().methods.at(static_cast<std::size_t>(row));
  const std::string& now = field == EShipRowField::Name ? method.name : method.feeTableUrl;
  if (*text == now) return;
  RunOnRow(MakeSetShipRowCommand(context_.doc, static_cast<std::size_t>(row), field, *text));
}

void CShipPage::CommitFee(EShipRowField field, QLineEdit* box) {
  int row = CurrentRow();
  if (updating_ || row < 0) return;
  std::int64_t yen = box->text().isEmpty() ? CShipMethod::kNotEntered : box->text().toLongLong();
  CShipMethod method = context_.doc.GetShipping().methods.at(static_cast<std::size_t>(row));
  std::int64_t now = field == EShipRowField::Fee           ? method.fee
                     : field == EShipRowField::HokkaidoFee ? method.hokkaidoFee
                     : field == EShipRowField::OkinawaFee  ? method.okinawaFee
                                                           : method.islandsFee;
  if (yen == now) return;
  RunOnRow(MakeSetShipRowCommand(context_.doc, static_cast<std::size_t>(row), field, yen));
}

void CShipPage::CommitFeeType(int type) {
  int row = CurrentRow();
  if (updating_ || row < 0) return;
  if (context_.doc.GetShipping().methods.at(static_cast<std::size_t>(row)).feeType == type) return;
  RunOnRow(MakeSetShipRowCommand(context_.doc, static_cast<std::size_t>(row),
                                 EShipRowField::FeeType, std::int64_t{type}));
}

void CShipPage::ShowSizeWeight() {
  CSizeWeight value = context_.doc.GetSizeWeight();
  updating_ = true;
  size_->setValue(value.size.amount);
  sizeFlag_->setCurrentIndex(value.size.flag ? 1 : 0);
  weight_->setValue(value.weight.amount);
  weightFlag_->setCurrentIndex(value.weight.flag ? 1 : 0);
  updating_ = false;
}

void CShipPage::CommitSizeWeight() {
  if (updating_) return;
  CSizeWeight value = context_.doc.GetSizeWeight();
  CSizeWeight chosen = value;
  chosen.size.amount = size_->value();
  // A flag that the listing holds as some other non-zero value still means "or less".
  if ((value.size.flag != 0) != (sizeFlag_->currentIndex() == 1)) {
    chosen.size.flag = sizeFlag_->currentIndex();
  }
  chosen.weight.amount = weight_->value();
  if ((value.weight.flag != 0) != (weightFlag_->currentIndex() == 1)) {
    chosen.weight.flag = weightFlag_->currentIndex();
  }
  if (chosen == value) return;
  Run(MakeSetSizeWeightCommand(context_.doc, chosen));
}

bool CShipPage::ShowFinding(const CSubmitFinding& finding) {
  if (postItems_->ShowFinding(finding)) return true;
  if (finding.field == check_field::kShipMethod && finding.row >= 0 &&
      finding.row < methods_->count()) {
    methods_->setCurrentRow(finding.row);
    name_->setFocus(Qt::OtherFocusReason);
    name_->selectAll();
    return true;
  }
  if (finding.field == check_field::kShipMethod || finding.field == check_field::kShipServices) {
    methods_->setFocus(Qt::OtherFocusReason);
    return true;
  }
  return false;
}

}  // namespace nuvo
