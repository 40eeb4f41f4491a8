#include "core/document/EditCommand.h"

#include "core/document/NuvoDoc.h"

namespace nuvo {

void CEditCommand::Execute() {
  modifiedBefore_ = doc_.IsModified();
  Apply();
  doc_.SetModifiedFlag(true);
  modifiedAfter_ = true;
  doc_.Listeners().RefreshMenus();
}

void CEditCommand::Undo() {
  Revert();
  doc_.SetModifiedFlag(modifiedBefore_);
  doc_.Listeners().RefreshMenus();
}

void CEditCommand::Redo() {
  Reapply();
  doc_.SetModifiedFlag(modifiedAfter_);
  doc_.Listeners().RefreshMenus();
}

void CEditCommand::NotifyChanged(std::uint32_t mask, std::int32_t selection) {
  if (mask != 0) doc_.Listeners().NotifyChanged(mask, selection);
}

void CEditCommand::NotifyFocus(std::uint32_t mask) { doc_.Listeners().NotifyFocus(mask); }

void CEditCommand::SchedulePreview() { doc_.Listeners().SchedulePreview(kPreviewDeferred); }

}  // namespace nuvo
