#include "gui/decorate/DecorateDialogs.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/common/MessageIds.h"
#include "core/common/StringTable.h"
#include "core/decorate/DecorateLink.h"
#include "core/editing/DecorateColorMemory.h"
#include "gui/common/QtText.h"

namespace nuvo {
namespace {

// The sixteen colours a page names, as 0x00BBGGRR, with the names the seller sees.
struct PageColor {
  int color;
  const char* name;
};
constexpr PageColor kPageColors[] = {
    {0x000000, "黒"},   {0x808080, "灰色"},   {0xC0C0C0, "銀色"},     {0xFFFFFF, "白"},
    {0x000080, "栗色"}, {0x0000FF, "赤"},     {0x008080, "オリーブ"}, {0x00FFFF, "黄"},
    {0x008000, "緑"},   {0x00FF00, "ライム"}, {0x808000, "ティール"}, {0xFFFF00, "水色"},
    {0x800000, "紺"},   {0xFF0000, "青"},     {0x800080, "紫"},       {0xFF00FF, "赤紫"},
};
constexpr int kOtherButton = 16;
constexpr int kStandardButton = 17;

QColor ToQColor(int color) {
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}
int FromQColor(const QColor& color) {
  return color.red() | color.green() << 8 | color.blue() << 16;
}

void Paint(QToolButton* swatch, int color) {
  swatch->setStyleSheet(QStringLiteral("QToolButton { background: %1; border: 1px solid #808080; }"
                                       "QToolButton:checked { border: 3px solid #000000; }")
                            .arg(ToQColor(color).name()));
}

QToolButton* MakeSwatch(int color, const QString& tip) {
  auto* swatch = new QToolButton;
  swatch->setCheckable(true);
  swatch->setFixedSize(28, 22);
  swatch->setToolTip(tip);
  Paint(swatch, color);
  return swatch;
}

QDialogButtonBox* OkCancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace

std::optional<int> CDecorateDialogs::ChooseColor(int initial) {
  CDecorateColorMemory memory = CDecorateColorMemory::Load(app_);
  QDialog dialog(parent_);
  dialog.setObjectName(QStringLiteral("colorDialog"));
  dialog.setWindowTitle(QStringLiteral("文字色の設定"));
  auto* layout = new QVBoxLayout(&dialog);
  auto* group = new QButtonGroup(&dialog);
  auto* grid = new QGridLayout;
  for (int i = 0; i < 16; ++i) {
    QToolButton* swatch = MakeSwatch(kPageColors[i].color, QString::fromUtf8(kPageColors[i].name));
    group->addButton(swatch, i);
    grid->addWidget(swatch, i / 4, i % 4);
  }
  layout->addLayout(grid);

  auto* otherRow = new QHBoxLayout;
  int otherColor = memory.otherColor;
  QToolButton* otherSwatch = MakeSwatch(otherColor, QStringLiteral("自分で選んだ色"));
  group->addButton(otherSwatch, kOtherButton);
  auto* pick = new QPushButton(QStringLiteral("その他(&O)..."));
  otherRow->addWidget(otherSwatch);
  otherRow->addWidget(pick, 1);
  layout->addLayout(otherRow);
  auto* standard = new QPushButton(QStringLiteral("標準の色(&D)"));
  standard->setCheckable(true);
  standard->setToolTip(QStringLiteral("文字色を設定せず、ページの標準の文字色で表示します"));
  group->addButton(standard, kStandardButton);
  layout->addWidget(standard);

  // A colour already on the text comes first; else the choice the seller made last time.
  const int start = initial >= 0 ? initial : memory.color;
  if (initial < 0 && memory.standard) {
    standard->setChecked(true);
  } else {
    QAbstractButton* match = nullptr;
    for (int i = 0; i < 16 && !match; ++i) {
      if (kPageColors[i].color == start) match = group->button(i);
    }
    if (!match) {
      otherColor = start;
      Paint(otherSwatch, otherColor);
      match = otherSwatch;
    }
    match->setChecked(true);
  }
  bool picked = false;
  QObject::connect(pick, &QPushButton::clicked, &dialog, [&] {
    const QColor color =
        QColorDialog::getColor(ToQColor(otherColor), &dialog, QStringLiteral("その他の色"));
    if (!color.isValid()) return;
    otherColor = FromQColor(color);
    picked = true;
    Paint(otherSwatch, otherColor);
    otherSwatch->setChecked(true);
  });

  QDialogButtonBox* buttons = OkCancel(&dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;

  const int chosen = group->checkedId();
  if (picked) memory.otherColor = otherColor;
  memory.standard = chosen == kStandardButton;
  if (chosen == kOtherButton) memory.color = otherColor;
  if (chosen >= 0 && chosen < 16) memory.color = kPageColors[chosen].color;
  memory.Save(app_);
  return memory.standard ? kStandardColor : memory.color;
}

std::optional<std::string> CDecorateDialogs::ChooseLink(const std::string& initial) {
  const CDecorateLink current = CDecorateLink::FromAddress(initial);
  QDialog dialog(parent_);
  dialog.setObjectName(QStringLiteral("linkDialog"));
  dialog.setWindowTitle(QStringLiteral("ハイパーリンクの設定"));
  auto* layout = new QVBoxLayout(&dialog);
  auto* tabs = new QTabWidget;
  tabs->setObjectName(QStringLiteral("linkTabs"));
  layout->addWidget(tabs);

  auto* pageTab = new QWidget;
  auto* pageLayout = new QVBoxLayout(pageTab);
  pageLayout->addWidget(new QLabel(QString::fromUtf8(LoadStringUtf8(IDS_LINK_ADDRESS_PROMPT))));
  auto* page = new QLineEdit;
  page->setObjectName(QStringLiteral("linkPage"));
  page->setPlaceholderText(QStringLiteral("https://"));
  page->setMinimumWidth(360);
  pageLayout->addWidget(page);
  pageLayout->addStretch(1);
  tabs->addTab(pageTab, QStringLiteral("ページ"));

  auto* mailTab = new QWidget;
  auto* mailLayout = new QVBoxLayout(mailTab);
  mailLayout->addWidget(new QLabel(QStringLiteral("リンク先のメールアドレスを入力してください。")));
  auto* mail = new QLineEdit;
  mail->setObjectName(QStringLiteral("linkMail"));
  mailLayout->addWidget(mail);
  mailLayout->addStretch(1);
  tabs->addTab(mailTab, QStringLiteral("メール"));

  auto* auctionTab = new QWidget;
  auto* auctionLayout = new QVBoxLayout(auctionTab);
  auto* pages = new QButtonGroup(&dialog);
  const char* pageNames[] = {"出品一覧ページ", "オークションページ", "評価ページ"};
  auto* pageRow = new QHBoxLayout;
  for (int i = 0; i < 3; ++i) {
    auto* choice = new QRadioButton(QString::fromUtf8(pageNames[i]));
    choice->setObjectName(QStringLiteral("linkAuctionPage%1").arg(i));
    pages->addButton(choice, i);
    pageRow->addWidget(choice);
  }
  pageRow->addStretch(1);
  auctionLayout->addLayout(pageRow);
  auto* idLabel = new QLabel;
  auctionLayout->addWidget(idLabel);
  auto* id = new QLineEdit;
  id->setObjectName(QStringLiteral("linkId"));
  auctionLayout->addWidget(id);
  auctionLayout->addStretch(1);
  tabs->addTab(auctionTab, QStringLiteral("オークション"));
  auto relabel = [&](int chosen) {
    const bool auction = chosen == static_cast<int>(CDecorateLink::EAuctionPage::Auction);
    idLabel->setText(auction ? QStringLiteral("オークションID:")
                             : QStringLiteral("Yahoo! JAPAN ID（空欄のときは出品者自身）:"));
  };
  QObject::connect(pages, &QButtonGroup::idClicked, &dialog, relabel);

  int auctionPage = static_cast<int>(CDecorateLink::EAuctionPage::SellingList);
  switch (current.Kind()) {
    case CDecorateLink::EKind::Page:
      page->setText(ToQString(current.Text()));
      tabs->setCurrentIndex(0);
      break;
    case CDecorateLink::EKind::Mail:
      mail->setText(ToQString(current.Text()));
      tabs->setCurrentIndex(1);
      break;
    case CDecorateLink::EKind::Auction:
      auctionPage = static_cast<int>(current.AuctionPage());
      id->setText(ToQString(current.Text()));
      tabs->setCurrentIndex(2);
      break;
  }
  pages->button(auctionPage)->setChecked(true);
  relabel(auctionPage);

  QDialogButtonBox* buttons = OkCancel(&dialog);
  layout->addWidget(buttons);
  std::string chosen;
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    QLineEdit* box = tabs->currentIndex() == 0 ? page : tabs->currentIndex() == 1 ? mail : id;
    const std::optional<std::string> text = FromQString(box->text().trimmed());
    if (!text) {
      ShowMessage(prompt_, tabs->currentIndex() == 2 ? IDS_ID_FULL_WIDTH : IDS_ADDRESS_FULL_WIDTH);
      return;
    }
    const CDecorateLink link =
        tabs->currentIndex() == 0 ? CDecorateLink::Page(*text)
        : tabs->currentIndex() == 1
            ? CDecorateLink::Mail(*text)
            : CDecorateLink::Auction(static_cast<CDecorateLink::EAuctionPage>(pages->checkedId()),
                                     *text);
    if (const int refusal = link.Check()) {
      ShowMessage(prompt_, refusal);
      box->setFocus();
      return;
    }
    const std::string address = link.Address();
    if (RemovesSellerIdKey(initial, address) &&
        AskMessage(prompt_, IDS_REMOVE_SELLER_ID_KEY, PromptButtons::YesNo, {}, 1) !=
            PromptAnswer::Yes) {
      return;
    }
    chosen = address;
    dialog.accept();
  });
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return chosen;
}

}  // namespace nuvo
