#pragma once

#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "core/editing/CommonSubmitSettings.h"
#include "core/editing/ListingSubmitter.h"
#include "core/editing/SubmitChecks.h"
#include "core/editing/ValueCommands.h"
#include "gui/editing/SheetPage.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

// The editor sheet: the head of the listing (title, category, sales format, quantity, prices,
// condition) above the tab pages of the description, photos, payment, shipping and other
// options. It never writes a listing field itself: every change becomes a command that the
// document applies and records, and after undo, redo or a load it re-reads the parts named by the
// change mask. It owns its controls and pages and links to everything in its context.
namespace nuvo {

enum class ESheetLayout {
  Tall,  // beside the preview
  Wide,  // above or below the preview, or with the preview in a window of its own
};

// The arrangement that suits the preview placement "PreviewPos": side by side (0 or 1) is tall.
ESheetLayout SheetLayoutFor(int previewPos);

class CNuvoTabsDialog : public QWidget, public IDocumentListener, private ISubmitListingHost {
  Q_OBJECT

 public:
  // Runs the sell pages in the progress window; the main frame gives it, since it owns the
  // network session.
  using SubmitRunner = std::function<CRunReport(const CSubmitSettings&, nuvo::SubmitListing,
                                                const SubmitRunOptions&)>;

  // The settings section that keeps the category history.
  static constexpr int kSettingsId = 132;
  static constexpr int kTitlePauseMs = 100;

  // `listener` is the main frame, which hears the listing's edits and passes change and focus
  // notices back to UpdateFromDocument and FocusField.
  CNuvoTabsDialog(CNuvoDoc& doc, IUserPrompt& prompt, CAppComm& app, const CAppOptions& options,
                  IDocumentListener* listener, ESheetLayout layout, QWidget* parent = nullptr);
  ~CNuvoTabsDialog() override;

  // Re-reads the parts named by `mask`; with the title, `selection` (start in the low 16 bits,
  // end in the high 16 bits, in bytes) is selected in the title box unless it is kNoSelection.
  void UpdateFromDocument(std::uint32_t mask, std::int32_t selection = kNoSelection);
  // Focuses the control of the title, start price, quantity or category; other masks do nothing.
  void FocusField(std::uint32_t mask);
  // Makes `category` the listing's category (from the category dialog) unless it is already.
  void ApplyCategory(const CategoryChoice& category);
  // Opens the category dialog on the listing's category and applies the seller's choice.
  void SelectCategory();

  // Brings forward the part of the listing that `finding` points at: its box in the head of the
  // sheet, or its tab page with the row and the text it names.
  void ShowFinding(const CSubmitFinding& finding) override;

  void SetSubmitRunner(SubmitRunner runner) { runner_ = std::move(runner); }
  // Submits the open listing: the checks with their messages and questions, the confirmation of
  // the common settings unless a batch passes those it confirmed (`settings`, with the item's
  // 1-based `batchIndex` of `batchCount`), and the run, repeated once after a login.
  CSubmitResult SubmitListing(const CCommonSubmitSettings* settings, int batchIndex = 0,
                              int batchCount = 0,
                              CListingSubmitter::FinalPostHook beforeFinalPost = {});

  // The sheet as the view's listener: change and focus notices are its own to handle, the rest
  // goes on to the main frame.
  void NotifyChanged(std::uint32_t mask, std::int32_t selection) override {
    UpdateFromDocument(mask, selection);
  }
  void NotifyFocus(std::uint32_t mask) override { FocusField(mask); }
  void SchedulePreview(std::uint32_t flags) override;
  void RefreshMenus() override;

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildControls();
  void Arrange(ESheetLayout layout);
  void BuildPages();
  void LoadCategoryHistory();
  void SaveCategoryHistory();

  void OnTitleEdited();
  void CommitTitle();
  void ShowTitleLength(const std::string& title);
  void OnSalesFormatChanged(int index);
  void OnStartPriceChanged(const QString& text);
  void OnQuantityChanged(int value);
  void OnCategoryActivated(int index);
  void OnCategoryTyped();
  void OnBuyNow();
  void OnCondition();
  void ShowCategory();
  void ShowBuyNowPrice();
  void ShowCondition();
  void SuitPricesToFormat();

  // ISubmitListingHost
  PromptAnswer Ask(const PromptRequest& request) override;
  std::optional<CCommonSubmitSettings> ConfirmSettings(ESubmitForm form) override;
  void Execute(std::unique_ptr<CEditCommand> command) override;
  CRunReport RunSubmission(const CSubmitSettings& settings, nuvo::SubmitListing listing,
                           const SubmitRunOptions& options) override;

  SheetContext context_;
  SubmitRunner runner_;
  QTimer titleTimer_;
  bool updating_ = false;
  QString titleShown_;

  QLineEdit* title_ = nullptr;
  QLabel* titleLength_ = nullptr;
  QComboBox* category_ = nullptr;
  QComboBox* salesFormat_ = nullptr;
  QSpinBox* quantity_ = nullptr;
  QLineEdit* startPrice_ = nullptr;
  QPushButton* buyNowButton_ = nullptr;
  QLabel* buyNowPrice_ = nullptr;
  QPushButton* conditionButton_ = nullptr;
  QLabel* condition_ = nullptr;
  QLineEdit* conditionRemark_ = nullptr;
  QLabel* retiredNote_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  std::vector<CSheetPage*> pages_;
  // The labels, kept to be placed by Arrange.
  QLabel* titleLabel_ = nullptr;
  QLabel* categoryLabel_ = nullptr;
  QLabel* salesFormatLabel_ = nullptr;
  QLabel* quantityLabel_ = nullptr;
  QLabel* startPriceLabel_ = nullptr;
};

}  // namespace nuvo
