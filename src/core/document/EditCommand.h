#pragma once

#include <cstdint>

#include "core/document/DocumentListener.h"

// The base of every undoable edit of the listing. It does what every edit shares: it marks the
// listing modified, remembers whether the listing was modified before and after the edit (so that
// walking the history back to the state in which the listing was opened or saved leaves it
// unmodified again) and has the menus refreshed. A command only applies and reverts its own
// change, and tells the listing's listeners what it changed. It links to the listing without
// owning it.
namespace nuvo {

class CNuvoDoc;

class CEditCommand {
 public:
  explicit CEditCommand(CNuvoDoc& doc) : doc_(doc) {}
  virtual ~CEditCommand() = default;
  CEditCommand(const CEditCommand&) = delete;
  CEditCommand& operator=(const CEditCommand&) = delete;

  // Applies the edit for the first time.
  void Execute();
  // Takes the edit back, or applies it again after that.
  void Undo();
  void Redo();

  // Whether the listing counts as modified before and after this command; the history rewrites
  // these when the listing is saved.
  void SetModifiedFlags(bool before, bool after) {
    modifiedBefore_ = before;
    modifiedAfter_ = after;
  }

 protected:
  // The first application. The pane that asked for the edit already shows the new value, so
  // this usually tells only the preview.
  virtual void Apply() = 0;
  // Undo and redo: the panes show another value than before and must re-read it.
  virtual void Revert() = 0;
  virtual void Reapply() = 0;

  void NotifyChanged(std::uint32_t mask, std::int32_t selection = kNoSelection);
  void NotifyFocus(std::uint32_t mask);
  void SchedulePreview();

  CNuvoDoc& doc_;

 private:
  bool modifiedBefore_ = false;
  bool modifiedAfter_ = true;
};

}  // namespace nuvo
