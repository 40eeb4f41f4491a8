#pragma once

#include <cstdint>

#include "core/editing/DocumentListener.h"

// The base of every undoable edit of the listing. It remembers the document's modified flag from
// before the edit and right after it, so that walking the history back to the state in which the
// listing was opened or saved leaves it unmodified again. It links to the document and to the
// listener without owning either; with no document a command applies nothing and only keeps the
// flags and menus in step.
namespace nuvo {

class CNuvoDoc;

class CEditCommand {
 public:
  CEditCommand(CNuvoDoc* doc, IDocumentListener* listener);
  virtual ~CEditCommand() = default;
  CEditCommand(const CEditCommand&) = delete;
  CEditCommand& operator=(const CEditCommand&) = delete;

  // Each derived step applies its change first and ends with the base step.
  virtual void Execute();
  virtual void Undo();
  virtual void Redo();

  // Whether the listing counts as modified before and after this command; the history rewrites
  // these when the listing is saved.
  void SetModifiedFlags(bool before, bool after) {
    modifiedBefore_ = before;
    modifiedAfter_ = after;
  }

 protected:
  void NotifyChanged(std::uint32_t mask, std::int32_t selection = kNoSelection);
  void NotifyFocus(std::uint32_t mask);
  void SchedulePreview();
  void MarkModified();

  CNuvoDoc* doc_;
  IDocumentListener* listener_;
  bool modifiedAfter_ = false;
  bool modifiedBefore_ = false;
};

}  // namespace nuvo
