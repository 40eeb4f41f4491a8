#pragma once

#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "core/app/AppComm.h"
#include "core/app/AppOptions.h"
#include "core/common/UserPrompt.h"
#include "core/document/DocumentListener.h"
#include "core/document/NuvoDoc.h"
#include "core/editing/SubmitChecks.h"

// What every part of the editor sheet works with: the listing, the prompt that shows refusals,
// the main frame to which the sheet passes preview and menu requests on, and the program's
// settings and options.
// All are links; the sheet's host owns them.
namespace nuvo {

struct SheetContext {
  CNuvoDoc& doc;
  IUserPrompt& prompt;
  IDocumentListener* listener;
  CAppComm& app;
  const CAppOptions& options;
};

// One tab page of the editor sheet. It shows its part of the listing, changes it only through
// commands, and re-reads it when told that part changed.
class CSheetPage : public QWidget {
  Q_OBJECT

 public:
  CSheetPage(const SheetContext& context, QWidget* parent) : QWidget(parent), context_(context) {}

  // Re-reads what the page shows when `mask` names its part of the listing.
  virtual void UpdateFromDocument(std::uint32_t mask) = 0;
  // Files dropped on the sheet while this page is showing; true when the page took them.
  virtual bool DropFiles(const QStringList&) { return false; }
  // Brings forward what a submission check found, when it is on this page: its row and text are
  // focused and selected. False when the finding points elsewhere.
  virtual bool ShowFinding(const CSubmitFinding&) { return false; }

 signals:
  // A command replaced more of the listing than the page's own part (the description tree):
  // the whole sheet must re-read it.
  void listingReplaced();

 protected:
  void Run(std::unique_ptr<CEditCommand> command) {
    context_.doc.ExecuteCommand(std::move(command));
  }

  SheetContext context_;
};

}  // namespace nuvo
