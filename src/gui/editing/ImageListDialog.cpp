#include "gui/editing/ImageListDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>

#include "gui/common/QtText.h"
#include "gui/editing/TextBoxLink.h"

namespace nuvo {
namespace {

enum Column { kName, kImage, kLink, kAlt, kWidth, kHeight, kBorder, kColumnCount };

QTableWidgetItem* NumberItem(std::int32_t value) {
  auto* item = new QTableWidgetItem;
  item->setData(Qt::EditRole, value);
  item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return item;
}

}  // namespace

CImageListDialog::CImageListDialog(const QString& title, const std::vector<CImageListRow>& rows,
                                   std::size_t maxRows, IUserPrompt& prompt, QWidget* parent)
    : QDialog(parent), maxRows_(maxRows), prompt_(prompt), rows_(rows) {
  setWindowTitle(title);
  auto* layout = new QVBoxLayout(this);
  table_ = new QTableWidget(0, kColumnCount);
  table_->setHorizontalHeaderLabels({QStringLiteral("名前"), QStringLiteral("画像のアドレス"),
                                     QStringLiteral("リンク先のアドレス"),
                                     QStringLiteral("代替テキスト"), QStringLiteral("幅"),
                                     QStringLiteral("高さ"), QStringLiteral("枠線")});
  // The addresses take the width; names and numbers keep to their contents.
  QHeaderView* header = table_->horizontalHeader();
  header->setStretchLastSection(false);
  header->setSectionResizeMode(QHeaderView::ResizeToContents);
  header->setSectionResizeMode(kImage, QHeaderView::Stretch);
  header->setSectionResizeMode(kLink, QHeaderView::Stretch);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  layout->addWidget(table_);

  auto* rowButtons = new QHBoxLayout;
  add_ = new QPushButton(QStringLiteral("追加(&A)"));
  auto* remove = new QPushButton(QStringLiteral("削除(&D)"));
  auto* up = new QPushButton(QStringLiteral("上へ(&U)"));
  auto* down = new QPushButton(QStringLiteral("下へ(&N)"));
  for (QPushButton* button : {add_, remove, up, down}) rowButtons->addWidget(button);
  rowButtons->addStretch();
  layout->addLayout(rowButtons);
  connect(add_, &QPushButton::clicked, this, [this] {
    AddRow({});
    table_->setCurrentCell(table_->rowCount() - 1, kImage);
    table_->editItem(table_->currentItem());
  });
  connect(remove, &QPushButton::clicked, this, [this] {
    if (table_->currentRow() >= 0) table_->removeRow(table_->currentRow());
    SuitButtons();
  });
  connect(up, &QPushButton::clicked, this, [this] { MoveRow(-1); });
  connect(down, &QPushButton::clicked, this, [this] { MoveRow(1); });
  for (const CImageListRow& row : rows) AddRow(row);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(720, 300);
}

void CImageListDialog::AddRow(const CImageListRow& row) {
  const int at = table_->rowCount();
  table_->insertRow(at);
  auto* name = new QTableWidgetItem(ToQString(row.name));
  name->setData(Qt::UserRole, QByteArray::fromStdString(row.extra));
  table_->setItem(at, kName, name);
  table_->setItem(at, kImage, new QTableWidgetItem(ToQString(row.image)));
  table_->setItem(at, kLink, new QTableWidgetItem(ToQString(row.link)));
  table_->setItem(at, kAlt, new QTableWidgetItem(ToQString(row.alt)));
  table_->setItem(at, kWidth, NumberItem(row.width));
  table_->setItem(at, kHeight, NumberItem(row.height));
  table_->setItem(at, kBorder, NumberItem(row.border));
  SuitButtons();
}

void CImageListDialog::MoveRow(int by) {
  const int from = table_->currentRow();
  const int to = from + by;
  if (from < 0 || to < 0 || to >= table_->rowCount()) return;
  for (int column = 0; column < kColumnCount; ++column) {
    QTableWidgetItem* moving = table_->takeItem(from, column);
    table_->setItem(from, column, table_->takeItem(to, column));
    table_->setItem(to, column, moving);
  }
  table_->setCurrentCell(to, table_->currentColumn());
}

void CImageListDialog::SuitButtons() {
  add_->setEnabled(static_cast<std::size_t>(table_->rowCount()) < maxRows_);
}

void CImageListDialog::accept() {
  std::vector<CImageListRow> rows;
  for (int r = 0; r < table_->rowCount(); ++r) {
    std::array<std::string, kWidth> texts;
    for (int column = 0; column < kWidth; ++column) {
      const QString text = table_->item(r, column)->text().trimmed();
      if (const auto bad = FindUnrepresentable(text)) {
        table_->setCurrentCell(r, column);
        RefuseCharacter(prompt_, *bad);
        return;
      }
      texts[static_cast<std::size_t>(column)] = *FromQString(text);
    }
    if (texts[kImage].empty()) continue;  // a row without an image shows nothing
    const auto number = [&](int column) {
      return static_cast<std::int32_t>(table_->item(r, column)->data(Qt::EditRole).toInt());
    };
    rows.push_back({texts[kName], texts[kImage], texts[kLink], texts[kAlt], number(kWidth),
                    number(kHeight), number(kBorder),
                    table_->item(r, kName)->data(Qt::UserRole).toByteArray().toStdString()});
  }
  rows_ = std::move(rows);
  QDialog::accept();
}

}  // namespace nuvo
