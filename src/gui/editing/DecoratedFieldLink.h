#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>

#include "gui/editing/SheetPage.h"

// Ties one decorated editor of the sheet to one decorated field of the listing: every change made
// in the editor is written to the field as its HTML fragment and becomes a step of the listing's
// one undo history, and undo and redo write the field again. The editor owns the link as a child
// object; the link owns the history recorder of its editor.
namespace nuvo {

class CDecorateEditView;
class CDecorateHistory;
class IDecorateDialogs;

// A decorated editor for the sheet with the marks the seller chose in the options. `options`
// are the editor's own (multi-line, centring); `baseSize` is in tenths of a point.
CDecorateEditView* MakeSheetEditor(const SheetContext& context, IDecorateDialogs& dialogs,
                                   int options, int baseSize);

class CDecoratedFieldLink : public QObject {
  Q_OBJECT

 public:
  using Store = std::function<void(const std::string&)>;

  CDecoratedFieldLink(CDecorateEditView* view, CNuvoDoc& doc, Store store);
  ~CDecoratedFieldLink() override;

  // Shows the field's fragment as the listing holds it; records nothing.
  void Load(const std::string& stored);

 private:
  CDecorateEditView* view_;
  Store store_;
  std::unique_ptr<CDecorateHistory> history_;
};

}  // namespace nuvo
