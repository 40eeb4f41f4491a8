#include "gui/decorate/DecorateDialogs.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/AsciiCase.h"
#include "core/common/MessageIds.h"
#include "core/common/StringTable.h"
#include "gui/common/QtText.h"

namespace nuvo {

std::optional<int> CDecorateDialogs::ChooseColor(int initial) {
  QDialog dialog(parent_);
  dialog.setWindowTitle(QStringLiteral("文字色の設定"));
  auto* layout = new QVBoxLayout(&dialog);
  auto* picker = new QColorDialog(&dialog);
  picker->setWindowFlags(Qt::Widget);
  picker->setOptions(QColorDialog::NoButtons | QColorDialog::DontUseNativeDialog);
  const int start = initial >= 0 ? initial : remembered_;
  picker->setCurrentColor(QColor(start & 0xFF, (start >> 8) & 0xFF, (start >> 16) & 0xFF));
  layout->addWidget(picker);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
  QPushButton* standard =
      buttons->addButton(QStringLiteral("標準の色(&D)"), QDialogButtonBox::ResetRole);
  bool standardChosen = false;
  QObject::connect(standard, &QPushButton::clicked, &dialog, [&] {
    standardChosen = true;
    dialog.accept();
  });
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  if (standardChosen) return kStandardColor;
  const QColor color = picker->currentColor();
  remembered_ = color.red() | color.green() << 8 | color.blue() << 16;
  return remembered_;
}

bool CDecorateDialogs::CheckLinkAddress(const std::string& address, IUserPrompt& prompt) {
  for (unsigned char c : address) {
    if (c >= 0x80) {
      ShowMessage(prompt, IDS_ADDRESS_FULL_WIDTH);
      return false;
    }
  }
  const std::string lower = AsciiLower(address);
  for (const char* scheme : {"http://", "https://", "ftp://", "mailto:"}) {
    if (lower.rfind(scheme, 0) == 0 && lower.size() > std::string(scheme).size()) return true;
  }
  ShowMessage(prompt, IDS_BAD_PAGE_ADDRESS);
  return false;
}

std::optional<std::string> CDecorateDialogs::ChooseLink(const std::string& initial) {
  QDialog dialog(parent_);
  dialog.setWindowTitle(QStringLiteral("ハイパーリンクの設定"));
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(
      new QLabel(QString::fromUtf8(LoadStringUtf8(IDS_LINK_ADDRESS_PROMPT)), &dialog));
  auto* edit = new QLineEdit(ToQString(initial), &dialog);
  edit->setMinimumWidth(360);
  layout->addWidget(edit);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
  layout->addWidget(buttons);
  std::string chosen;
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    const auto address = FromQString(edit->text().trimmed());
    if (!address) {
      ShowMessage(prompt_, IDS_ADDRESS_FULL_WIDTH);
      return;
    }
    // An empty address takes the link away.
    if (!address->empty() && !CheckLinkAddress(*address, prompt_)) return;
    chosen = *address;
    dialog.accept();
  });
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return chosen;
}

}  // namespace nuvo
