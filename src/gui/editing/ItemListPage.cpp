#include "gui/editing/ItemListPage.h"

#include <algorithm>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/decorate/DecorateDialogs.h"
#include "gui/decorate/DecorateEditView.h"
#include "gui/editing/DecoratedFieldLink.h"

namespace nuvo {
namespace {

struct ListTexts {
  const char* name;  // the prefix of the row controls' object names
  const char* row;   // the row's caption, numbered
  const char* item;  // the name box's label
  const char* itemTip;
  const char* detailTip;
  const char* what;  // what the list holds, for the text shown while it is empty
};

ListTexts TextsOf(ERowList list) {
  switch (list) {
    case ERowList::Pay:
      return {"pay",
              "支払い %1",
              "支払い方法:",
              "支払い方法の名前を入力します",
              "支払い方法の説明を入力します",
              "支払い方法"};
    case ERowList::Post:
      return {"post",
              "発送 %1",
              "発送方法:",
              "発送方法の名前を入力します",
              "発送方法の説明を入力します",
              "発送の説明"};
    default:
      return {"other", "その他 %1", "項目:", "その他の項目を入力します", "", "その他の項目"};
  }
}

}  // namespace

CItemListPage::CItemListPage(const SheetContext& context, ERowList list, QWidget* parent)
    : CSheetPage(context, parent),
      list_(list),
      dialogs_(std::make_unique<CDecorateDialogs>(this, context.prompt, context.app)) {
  auto* layout = new QVBoxLayout(this);
  auto* buttons = new QHBoxLayout;
  add_ = new QPushButton(list == ERowList::Post ? QStringLiteral("発送の項目を追加")
                                                : QStringLiteral("追加(&A)"));
  add_->setToolTip(
      QStringLiteral("項目を末尾に追加します（%1個まで）").arg(CNuvoDoc::kMaxListItems));
  connect(add_, &QPushButton::clicked, this, [this] {
    Run(MakeAddRowCommand(context_.doc, list_));
    UpdateFromDocument(RowListMask(list_));
  });
  buttons->addWidget(add_);
  buttons->addStretch(1);
  layout->addLayout(buttons);
  empty_ = new QLabel(
      QStringLiteral("%1はありません。「%2」ボタンで追加します。")
          .arg(QString::fromUtf8(TextsOf(list).what), add_->text().remove(QStringLiteral("(&A)"))));
  empty_->setWordWrap(true);
  layout->addWidget(empty_);
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    BuildRow(i);
    layout->addWidget(rows_[i].frame);
  }
  layout->addStretch(1);
}

CItemListPage::~CItemListPage() = default;

void CItemListPage::BuildRow(std::size_t index) {
  ListTexts texts = TextsOf(list_);
  RowEditor& row = rows_[index];
  auto* frame = new QGroupBox(QString::fromUtf8(texts.row).arg(index + 1));
  auto* grid = new QGridLayout(frame);
  row.frame = frame;
  const int itemSize = context_.options.decoEditFontSizeItem;
  row.item = MakeSheetEditor(context_, *dialogs_, 0, itemSize);
  row.item->setObjectName(QStringLiteral("%1Item%2").arg(QLatin1String(texts.name)).arg(index));
  row.item->setToolTip(QString::fromUtf8(texts.itemTip));
  row.itemLink = new CDecoratedFieldLink(
      row.item, context_.doc,
      [this, index](const std::string& html) { StoreText(index, false, html); });
  auto* label = new QLabel(QString::fromUtf8(texts.item));
  label->setBuddy(row.item);
  grid->addWidget(label, 0, 0);
  grid->addWidget(row.item, 0, 1);
  if (HasDetails()) {
    row.detail = MakeSheetEditor(context_, *dialogs_, kDecoMultiLine, itemSize);
    row.detail->setObjectName(
        QStringLiteral("%1Detail%2").arg(QLatin1String(texts.name)).arg(index));
    row.detail->setToolTip(QString::fromUtf8(texts.detailTip));
    row.detail->setFixedHeight(row.detail->minimumSizeHint().height());
    row.detailLink = new CDecoratedFieldLink(
        row.detail, context_.doc,
        [this, index](const std::string& html) { StoreText(index, true, html); });
    auto* detailLabel = new QLabel(QStringLiteral("説明:"));
    detailLabel->setBuddy(row.detail);
    grid->addWidget(detailLabel, 1, 0, Qt::AlignTop);
    grid->addWidget(row.detail, 1, 1);
  }
  auto* buttons = new QVBoxLayout;
  auto* remove = new QPushButton(QStringLiteral("削除"));
  remove->setToolTip(QStringLiteral("この項目を削除します"));
  row.up = new QPushButton(QStringLiteral("↑ひとつ上へ"));
  row.up->setToolTip(QStringLiteral("項目をひとつ上へ移動します"));
  row.down = new QPushButton(QStringLiteral("↓ひとつ下へ"));
  row.down->setToolTip(QStringLiteral("項目をひとつ下へ移動します"));
  row.down->setObjectName(QStringLiteral("%1Down%2").arg(QLatin1String(texts.name)).arg(index));
  connect(remove, &QPushButton::clicked, this, [this, index] {
    Run(MakeDeleteRowCommand(context_.doc, list_, index));
    UpdateFromDocument(RowListMask(list_));
  });
  connect(row.up, &QPushButton::clicked, this, [this, index] {
    Run(MakeMoveRowCommand(context_.doc, list_, index, EMoveDirection::Up));
    UpdateFromDocument(RowListMask(list_));
  });
  connect(row.down, &QPushButton::clicked, this, [this, index] {
    Run(MakeMoveRowCommand(context_.doc, list_, index, EMoveDirection::Down));
    UpdateFromDocument(RowListMask(list_));
  });
  buttons->addWidget(remove);
  buttons->addWidget(row.up);
  buttons->addWidget(row.down);
  buttons->addStretch(1);
  grid->addLayout(buttons, 0, 2, HasDetails() ? 2 : 1, 1);
  grid->setColumnStretch(1, 1);
}

void CItemListPage::StoreText(std::size_t index, bool detail, const std::string& text) {
  std::vector<ListRow> rows = GetRows(context_.doc, list_);
  if (index >= rows.size()) return;
  if (auto* pair = std::get_if<CItemPair>(&rows[index])) {
    (detail ? pair->detail : pair->item) = text;
  } else if (auto* item = std::get_if<std::string>(&rows[index])) {
    *item = text;
  }
  SetRows(context_.doc, list_, rows);
}

void CItemListPage::UpdateFromDocument(std::uint32_t mask) {
  if (!(mask & RowListMask(list_))) return;
  std::vector<ListRow> rows = GetRows(context_.doc, list_);
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    RowEditor& row = rows_[i];
    bool shown = i < rows.size();
    row.frame->setVisible(shown);
    if (!shown) continue;
    if (const auto* pair = std::get_if<CItemPair>(&rows[i])) {
      row.itemLink->Load(pair->item);
      if (row.detailLink) row.detailLink->Load(pair->detail);
    } else if (const auto* item = std::get_if<std::string>(&rows[i])) {
      row.itemLink->Load(*item);
    }
    row.up->setEnabled(i > 0);
    row.down->setEnabled(i + 1 < rows.size());
  }
  empty_->setVisible(rows.empty());
  add_->setEnabled(rows.size() < CNuvoDoc::kMaxListItems);
}

bool CItemListPage::ShowFinding(const CSubmitFinding& finding) {
  const char* field = list_ == ERowList::Post  ? check_field::kPost
                      : list_ == ERowList::Pay ? check_field::kPay
                                               : check_field::kOther;
  if (finding.field != field || finding.row < 0 ||
      finding.row >= static_cast<int>(CNuvoDoc::kMaxListItems)) {
    return false;
  }
  const RowEditor& row = rows_[static_cast<std::size_t>(finding.row)];
  if (!row.frame) return false;
  CDecorateEditView* editor = finding.part == "Detail" && row.detail ? row.detail : row.item;
  editor->SetSelection(
      finding.selectionStart,
      std::max(finding.selectionStart, finding.selectionStart + finding.selectionLength));
  return true;
}

}  // namespace nuvo
