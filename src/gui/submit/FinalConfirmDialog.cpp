#include "gui/submit/FinalConfirmDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/common/MessageIds.h"
#include "core/common/StringTable.h"
#include "core/common/UserPrompt.h"
#include "gui/app/HelpPages.h"
#include "gui/submit/FinalConfirmBasePage.h"
#include "gui/submit/PlacementChoiceBox.h"

namespace nuvo {
namespace {

QString Text(int id) {
  return QString::fromUtf8(LoadStringUtf8(id))
      .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

CFinalConfirmDialog::CFinalConfirmDialog(const std::string& html, IUserPrompt& prompt,
                                         QWidget* parent)
    : CPlacedDialog(CDialogPlacement(kDefaultWidth, kDefaultHeight), parent), prompt_(prompt) {
  setWindowTitle(Text(IDS_FINAL_CONFIRM_CAPTION));
  auto* instruction = new QLabel(Text(IDS_FINAL_CONFIRM_INSTRUCTION), this);
  instruction->setWordWrap(true);
  auto* tabs = new QTabWidget(this);
  page_ = new CFinalConfirmBasePage(tabs);
  tabs->addTab(page_, Text(IDS_FINAL_CONFIRM_PAGE_TAB));
  page_->Show(html);
  auto* placementPage = new QWidget(tabs);
  auto* placementLayout = new QVBoxLayout(placementPage);
  placementLayout->addWidget(MakeChoiceBox(placementPage), 0, Qt::AlignLeft);
  auto* placementNote = new QLabel(Text(IDS_PLACEMENT_NOTE), placementPage);
  placementNote->setWordWrap(true);
  placementLayout->addWidget(placementNote);
  placementLayout->addStretch();
  tabs->addTab(placementPage, Text(IDS_PLACEMENT_PAGE_TAB));

  dontShow_ = new QCheckBox(Text(IDS_FINAL_CONFIRM_DONT_SHOW), this);
  connect(dontShow_, &QCheckBox::toggled, this, &CFinalConfirmDialog::OnDontShowToggled);
  auto* ok = new QPushButton(Text(IDS_OK_BUTTON), this);
  auto* cancel = new QPushButton(Text(IDS_CANCEL_BUTTON), this);
  auto* help = new QPushButton(Text(IDS_HELP_BUTTON), this);
  // Enter must not post a listing by accident: the seller presses OK on purpose.
  for (QPushButton* button : {ok, cancel, help}) button->setAutoDefault(false);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  // Without its page (a program run from an unusual place) the short text still helps.
  connect(help, &QPushButton::clicked, this, [this] {
    if (!ShowHelpPage(QStringLiteral("final-confirm.html"))) {
      ShowMessage(prompt_, IDS_FINAL_CONFIRM_HELP, {}, PromptIcon::Information);
    }
  });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(dontShow_);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(help);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(instruction);
  layout->addWidget(tabs, 1);
  layout->addLayout(buttons);
  Apply();
}

bool CFinalConfirmDialog::DontShowAgain() const { return dontShow_->isChecked(); }

void CFinalConfirmDialog::OnDontShowToggled(bool checked) {
  if (checked) ShowMessage(prompt_, IDS_FINAL_CONFIRM_DONT_SHOW_NOTE, {}, PromptIcon::Information);
}

}  // namespace nuvo
