#include "gui/app/LayoutDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/app/HelpPages.h"
#include "gui/common/MessageBoxPrompt.h"

namespace nuvo {
namespace {

constexpr int kSeparateWindow = 4;

constexpr const char* kChoices[] = {
    "プレビューを左、編集画面を右に並べる(&1)", "編集画面を左、プレビューを右に並べる(&2)",
    "プレビューを上、編集画面を下に並べる(&3)", "編集画面を上、プレビューを下に並べる(&4)",
    "プレビューを別のウィンドウに表示する(&5)",
};

}  // namespace

CLayoutDialog::CLayoutDialog(int previewPos, QWidget* parent)
    : QDialog(parent), choices_(new QButtonGroup(this)) {
  setWindowTitle(QStringLiteral("編集画面のレイアウト設定"));
  auto* layout = new QVBoxLayout(this);
  auto* group = new QGroupBox(QStringLiteral("プレビューの位置"));
  auto* groupLayout = new QVBoxLayout(group);
  for (int pos = 0; pos <= kSeparateWindow; ++pos) {
    auto* button = new QRadioButton(QString::fromUtf8(kChoices[pos]));
    button->setObjectName(QStringLiteral("previewPos%1").arg(pos));
    choices_->addButton(button, pos);
    groupLayout->addWidget(button);
  }
  // Any placement beyond the four splitter layouts is the separate window.
  const bool split = previewPos >= 0 && previewPos < kSeparateWindow;
  choices_->button(split ? previewPos : kSeparateWindow)->setChecked(true);
  layout->addWidget(group);
  auto* note =
      new QLabel(QStringLiteral("新しいレイアウトは、ぬぼを次に起動したときから使われます。"));
  note->setWordWrap(true);
  layout->addWidget(note);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                       QDialogButtonBox::Help);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
  buttons->button(QDialogButtonBox::Help)->setText(QStringLiteral("ヘルプ(&H)"));
  connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
    CMessageBoxPrompt prompt(this);
    ShowHelpPage(prompt, QStringLiteral("settings.html"), QStringLiteral("layout"));
  });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

int CLayoutDialog::PreviewPos() const { return choices_->checkedId(); }

}  // namespace nuvo
