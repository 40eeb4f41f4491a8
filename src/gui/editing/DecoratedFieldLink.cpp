#include "gui/editing/DecoratedFieldLink.h"

#include "core/editing/DecorateHistory.h"
#include "gui/decorate/DecorateEditView.h"

namespace nuvo {

CDecorateEditView* MakeSheetEditor(const SheetContext& context, IDecorateDialogs& dialogs,
                                   int options, int baseSize) {
  const int marks = (context.options.decoEditOption & 1 ? kDecoShowWideSpace : 0) |
                    (context.options.decoEditOption & 2 ? kDecoShowLineBreak : 0);
  auto* view = new CDecorateEditView(options | marks, dialogs, context.prompt);
  view->SetBaseSize(baseSize);
  return view;
}

CDecoratedFieldLink::CDecoratedFieldLink(CDecorateEditView* view, CNuvoDoc& doc, Store store)
    : QObject(view), view_(view), store_(std::move(store)) {
  history_ =
      std::make_unique<CDecorateHistory>(doc, view->Editor(), [this] { store_(view_->GetHtml()); });
  CDecorateHistory* steps = history_.get();
  connect(view, &CDecorateEditView::changing, this,
          [steps](int code) { steps->BeforeChange(code); });
  // The field holds the change before the history step is made, so that the step's preview
  // shows it.
  connect(view, &CDecorateEditView::changed, this, [this, steps](int code) {
    store_(view_->GetHtml());
    steps->AfterChange(code);
  });
}

CDecoratedFieldLink::~CDecoratedFieldLink() = default;

void CDecoratedFieldLink::Load(const std::string& stored) {
  if (view_->GetHtml() != stored) view_->SetHtml(stored);
}

}  // namespace nuvo
