#include "gui/editing/ShipServicesDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/editing/Prefectures.h"
#include "gui/common/QtText.h"

namespace nuvo {
namespace {

struct Service {
  std::uint32_t flag;
  const char* text;
  int group;
};

constexpr std::array<Service, 7> kServices = {{
    {CShipSettings::kNekoposu, "ネコポス(&N)", 0},
    {CShipSettings::kTakkyubinCompact, "宅急便コンパクト(&C)", 0},
    {CShipSettings::kTakkyubin, "宅急便(&T)", 0},
    {CShipSettings::kHakoboon, "はこBOON(&H)", 1},
    {CShipSettings::kHakoboonMini, "はこBOON mini(&M)", 1},
    {CShipSettings::kYuPacket, "ゆうパケット（おてがる版）(&K)", 2},
    {CShipSettings::kYuPack, "ゆうパック（おてがる版）(&Y)", 2},
}};
constexpr std::array<const char*, 3> kGroups = {"ヤフネコ!パック", "はこBOON",
                                                "ゆうパック・ゆうパケット（おてがる版）"};

QComboBox* FlagBox(const QString& unit, std::int32_t flag) {
  auto* box = new QComboBox;
  box->addItem(QStringLiteral("%1以上").arg(unit));  // flag 0: "%dcm～"
  box->addItem(QStringLiteral("%1以下").arg(unit));  // flag 1: "～%dcm"
  box->setCurrentIndex(flag != 0 ? 1 : 0);
  return box;
}

QSpinBox* AmountBox(std::int32_t amount, const QString& tip) {
  auto* box = new QSpinBox;
  box->setRange(0, 999);
  box->setSpecialValueText(QStringLiteral("なし"));
  box->setValue(amount);
  box->setToolTip(tip);
  return box;
}

}  // namespace

CShipServicesDialog::CShipServicesDialog(const CShipSettings& shipping, QWidget* parent)
    : QDialog(parent), shipping_(shipping) {
  setWindowTitle(QStringLiteral("ヤフオク!特有の配送方法"));
  auto* layout = new QVBoxLayout(this);
  const std::array<const CSizeWeight*, 3> sizes = {&shipping.groupASize, &shipping.groupBSize,
                                                   &shipping.groupCSize};
  for (int group = 0; group < 3; ++group) {
    auto* box = new QGroupBox(QString::fromUtf8(kGroups[static_cast<std::size_t>(group)]));
    auto* grid = new QGridLayout(box);
    int column = 0;
    for (std::size_t i = 0; i < kServices.size(); ++i) {
      if (kServices[i].group != group) continue;
      services_[i] = new QCheckBox(QString::fromUtf8(kServices[i].text));
      services_[i]->setChecked(shipping.GetServiceFlags() & kServices[i].flag);
      grid->addWidget(services_[i], 0, column++);
    }
    sizes_[static_cast<std::size_t>(group)] =
        AddSizeWeight(grid, 1, *sizes[static_cast<std::size_t>(group)]);
    if (group == 1) {
      prefecture_ = new QComboBox;
      for (int number = 1; number <= kPrefectureCount; ++number) {
        prefecture_->addItem(ToQString(PrefectureName(number)));
      }
      const int chosen = shipping.GetGroupBPrefecture();
      prefecture_->setCurrentIndex((chosen >= 1 ? chosen : CShipSettings::kDefaultPrefecture) - 1);
      prefecture_->setToolTip(
          QStringLiteral("はこBOON miniの荷物を持ち込むコンビニの都道府県です"));
      auto* label = new QLabel(QStringLiteral("持ち込むコンビニの都道府県(&P):"));
      label->setBuddy(prefecture_);
      grid->addWidget(label, 3, 0, 1, 2);
      grid->addWidget(prefecture_, 3, 2, 1, 2);
    }
    layout->addWidget(box);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

CShipServicesDialog::SizeBoxes CShipServicesDialog::AddSizeWeight(QGridLayout* grid, int row,
                                                                  const CSizeWeight& value) {
  SizeBoxes boxes{AmountBox(value.size.amount, QStringLiteral("3辺の合計サイズを設定します")),
                  FlagBox(QStringLiteral("cm"), value.size.flag),
                  AmountBox(value.weight.amount, QStringLiteral("重量を設定します")),
                  FlagBox(QStringLiteral("kg"), value.weight.flag)};
  grid->addWidget(new QLabel(QStringLiteral("3辺の合計:")), row, 0);
  grid->addWidget(boxes.size, row, 1);
  grid->addWidget(boxes.sizeFlag, row, 2);
  grid->addWidget(new QLabel(QStringLiteral("重量:")), row + 1, 0);
  grid->addWidget(boxes.weight, row + 1, 1);
  grid->addWidget(boxes.weightFlag, row + 1, 2);
  return boxes;
}

CSizeWeight CShipServicesDialog::Read(const SizeBoxes& boxes) {
  CSizeWeight value;
  value.size = {boxes.size->value(), boxes.sizeFlag->currentIndex()};
  value.weight = {boxes.weight->value(), boxes.weightFlag->currentIndex()};
  return value;
}

CShipSettings CShipServicesDialog::Services() const {
  CShipSettings services = shipping_;
  std::uint32_t flags = 0;
  for (std::size_t i = 0; i < kServices.size(); ++i) {
    if (services_[i]->isChecked()) flags |= kServices[i].flag;
  }
  services.SetServiceFlags(flags);
  services.groupASize = Read(sizes_[0]);
  services.groupBSize = Read(sizes_[1]);
  services.groupCSize = Read(sizes_[2]);
  services.SetGroupBPrefecture(prefecture_->currentIndex() + 1);
  return services;
}

}  // namespace nuvo
