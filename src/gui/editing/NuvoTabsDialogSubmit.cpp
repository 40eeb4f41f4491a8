// The editor sheet's part in a submission: the checks, their questions and the settings.
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include "core/editing/EmptyRowsCommand.h"
#include "gui/common/QtText.h"
#include "gui/editing/NuvoTabsDialog.h"
#include "gui/editing/SubmitSettingDialog.h"
#include "gui/editing/TextBoxLink.h"

namespace nuvo {
namespace {

ERowList ListOf(const std::string& field) {
  if (field == check_field::kPost) return ERowList::Post;
  return field == check_field::kPay ? ERowList::Pay : ERowList::Other;
}

}  // namespace

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

bool CNuvoTabsDialog::Settle(const std::vector<CSubmitFinding>& findings) {
  // One question covers every place a check found: the seller has seen the first.
  std::string answered;
  for (const CSubmitFinding& finding : findings) {
    if (finding.step == answered) continue;
    ShowFinding(finding);
    if (finding.stops) {
      context_.prompt.Ask({finding.messageId, finding.message, PromptButtons::Ok});
      return false;
    }
    const PromptAnswer answer = context_.prompt.Ask(
        {finding.messageId, finding.message, PromptButtons::YesNo, PromptIcon::Question, 0});
    if (finding.step == "empty-items") {
      if (answer == PromptAnswer::Yes) {
        context_.doc.ExecuteCommand(
            MakeDeleteEmptyRowsCommand(context_.doc, ListOf(finding.field)));
      }
      continue;
    }
    if (answer != PromptAnswer::Yes) return false;
    answered = finding.step;
  }
  return true;
}

std::optional<CCommonSubmitSettings> CNuvoTabsDialog::PrepareSubmission(
    const CCommonSubmitSettings* confirmed) {
  // Every submission takes the easy-trade form: the service has closed the normal one.
  CSubmitCheckContext checks{context_.options.optionValue, ESubmitForm::EasyTrade, false,
                             context_.options.banners.size()};
  if (!Settle(CheckBeforeSettings(context_.doc, checks))) return std::nullopt;
  CCommonSubmitSettings settings(ESubmitForm::EasyTrade);
  if (confirmed) {
    settings = *confirmed;
  } else {
    CSubmitSettingDialog dialog(context_.app, context_.prompt, ESubmitForm::EasyTrade,
                                CSubmitSettingDialog::EMode::Confirm, this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    settings = dialog.Settings();
  }
  checks.sellerPaysPostage = settings.post.SellerPaysPostage();
  if (!Settle(CheckAfterSettings(context_.doc, checks))) return std::nullopt;
  return settings;
}

}  // namespace nuvo
