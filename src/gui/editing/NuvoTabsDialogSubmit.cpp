// The editor sheet's part in a submission: it brings the fields the checks point at forward, asks
// their questions, confirms the common settings and hands the run to the progress window.
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include "gui/common/QtText.h"
#include "gui/editing/NuvoTabsDialog.h"
#include "gui/editing/SubmitSettingDialog.h"
#include "gui/editing/TextBoxLink.h"

namespace nuvo {
void CNuvoTabsDialog::ShowFinding(const CSubmitFinding& finding) {
  if (finding.field == check_field::kTitle) {
    const std::string text = FromQString(title_->text()).value_or(std::string());
    const int start = CharPosition(text, finding.selectionStart);
    const int end = CharPosition(text, finding.selectionStart + finding.selectionLength);
    title_->setFocus(Qt::OtherFocusReason);
    if (end > start) {
      title_->setSelection(start, end - start);
    } else {
      title_->selectAll();
    }
    return;
  }
  if (finding.field == check_field::kStartPrice) {
    startPrice_->setFocus(Qt::OtherFocusReason);
    startPrice_->selectAll();
    return;
  }
  QWidget* head = nullptr;
  if (finding.field == check_field::kBuyNowPrice) head = buyNowButton_;
  if (finding.field == check_field::kQuantity) head = quantity_;
  if (finding.field == check_field::kCondition) head = conditionButton_;
  if (head) {
    head->setFocus(Qt::OtherFocusReason);
    return;
  }
  // A page's boxes take the focus only while the page shows.
  const int shown = tabs_->currentIndex();
  for (CSheetPage* page : pages_) {
    tabs_->setCurrentWidget(page);
    if (page->ShowFinding(finding)) return;
  }
  tabs_->setCurrentIndex(shown);
}

CSubmitResult CNuvoTabsDialog::SubmitListing(const CCommonSubmitSettings* settings, int batchIndex,
                                             int batchCount,
                                             CListingSubmitter::FinalPostHook beforeFinalPost) {
  CListingSubmitter submitter(context_.doc, context_.options, *this);
  return submitter.SubmitListing(settings, batchIndex, batchCount, std::move(beforeFinalPost));
}

PromptAnswer CNuvoTabsDialog::Ask(const PromptRequest& request) {
  return context_.prompt.Ask(request);
}

std::optional<CCommonSubmitSettings> CNuvoTabsDialog::ConfirmSettings(ESubmitForm form) {
  CSubmitSettingDialog dialog(context_.app, context_.prompt, form,
                              CSubmitSettingDialog::EMode::Confirm, this);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Settings();
}

void CNuvoTabsDialog::Execute(std::unique_ptr<CEditCommand> command) {
  context_.doc.ExecuteCommand(std::move(command));
}

CRunReport CNuvoTabsDialog::RunSubmission(const CSubmitSettings& settings,
                                          nuvo::SubmitListing listing,
                                          const SubmitRunOptions& options) {
  // Without the main frame there is no network to run on: nothing is sent.
  if (!runner_) return {};
  return runner_(settings, std::move(listing), options);
}

}  // namespace nuvo
