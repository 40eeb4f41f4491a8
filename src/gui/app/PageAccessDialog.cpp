#include "gui/app/PageAccessDialog.h"

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

CPageAccessDialog::CPageAccessDialog(int userAgentSetting, QWidget* parent)
    : QDialog(parent), choices_(new QButtonGroup(this)) {
  setWindowTitle(QStringLiteral("ページアクセスの設定"));
  auto* layout = new QVBoxLayout(this);
  auto* group = new QGroupBox(QStringLiteral("ヤフオク!のページにアクセスするときの名乗り"));
  auto* groupLayout = new QVBoxLayout(group);
  const QString texts[] = {QStringLiteral("ブラウザとしてアクセスする(&B)"),
                           QStringLiteral("ぬぼとしてアクセスする(&N)")};
  for (int setting = 0; setting < 2; ++setting) {
    auto* button = new QRadioButton(texts[setting]);
    button->setObjectName(QStringLiteral("userAgent%1").arg(setting));
    choices_->addButton(button, setting);
    groupLayout->addWidget(button);
  }
  choices_->button(userAgentSetting == 1 ? 1 : 0)->setChecked(true);
  layout->addWidget(group);
  auto* note = new QLabel(
      QStringLiteral("ページが正しく表示されないときは、ブラウザとしてアクセスしてください。"));
  note->setWordWrap(true);
  layout->addWidget(note);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                       QDialogButtonBox::Help);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
  buttons->button(QDialogButtonBox::Help)->setText(QStringLiteral("ヘルプ(&H)"));
  connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
    CMessageBoxPrompt prompt(this);
    ShowHelpPage(prompt, QStringLiteral("settings.html"), QStringLiteral("page-access"));
  });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

int CPageAccessDialog::UserAgentSetting() const { return choices_->checkedId(); }

}  // namespace nuvo
