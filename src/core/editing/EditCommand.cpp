#include "core/editing/EditCommand.h"

#include "core/document/NuvoDoc.h"

namespace nuvo {

CEditCommand::CEditCommand(CNuvoDoc* doc, IDocumentListener* listener)
    : doc_(doc), listener_(listener), modifiedBefore_(doc && doc->IsModified()) {}

void CEditCommand::Execute() {
  if (doc_) modifiedAfter_ = doc_->IsModified();
  if (listener_) listener_->RefreshMenus();
}

void CEditCommand::Undo() {
  if (doc_) doc_->SetModifiedFlag(modifiedBefore_);
  if (listener_) listener_->RefreshMenus();
}

void CEditCommand::Redo() {
  if (doc_) doc_->SetModifiedFlag(modifiedAfter_);
  if (listener_) listener_->RefreshMenus();
}

void CEditCommand::NotifyChanged(std::uint32_t mask, std::int32_t selection) {
  if (listener_ && mask != 0) listener_->NotifyChanged(mask, selection);
}

void CEditCommand::NotifyFocus(std::uint32_t mask) {
  if (listener_) listener_->NotifyFocus(mask);
}

void CEditCommand::SchedulePreview() {
  if (listener_) listener_->SchedulePreview(kPreviewDeferred);
}

void CEditCommand::MarkModified() {
  if (doc_) doc_->SetModifiedFlag(true);
}

}  // namespace nuvo
