#pragma once

#include <memory>
#include <vector>

#include "core/document/EditCommand.h"

// The listing's one undo history: the commands applied so far and those undone since, owned
// here, with the position of the last applied one. Each command remembers whether the listing was
// modified before and after it, so walking back to the saved state leaves the listing unmodified.
// It grows for as long as the listing is open.
namespace nuvo {

class CCommandHistory {
 public:
  // Applies `command` and records it; whatever had been undone can no longer be redone. A null
  // command (one that found nothing to change) is ignored.
  void Add(std::unique_ptr<CEditCommand> command) {
    if (!command) return;
    command->Execute();
    commands_.resize(static_cast<std::size_t>(current_ + 1));
    commands_.push_back(std::move(command));
    current_ = static_cast<int>(commands_.size()) - 1;
  }

  bool CanUndo() const { return current_ >= 0 && current_ < Count(); }
  bool CanRedo() const { return current_ + 1 < Count(); }

  void Undo() {
    if (!CanUndo()) return;
    commands_[static_cast<std::size_t>(current_)]->Undo();
    --current_;
  }

  void Redo() {
    if (!CanRedo()) return;
    ++current_;
    commands_[static_cast<std::size_t>(current_)]->Redo();
  }

  // The listing was just saved with the history where it stands. From now on only this state is
  // unmodified: undoing away from it marks the listing modified, and coming back clears the mark.
  void MarkSaved() {
    for (int i = 0; i < Count(); ++i) {
      commands_[static_cast<std::size_t>(i)]->SetModifiedFlags(i != current_ + 1, i != current_);
    }
  }

  void Clear() {
    commands_.clear();
    current_ = -1;
  }

 private:
  int Count() const { return static_cast<int>(commands_.size()); }

  std::vector<std::unique_ptr<CEditCommand>> commands_;
  int current_ = -1;
};

}  // namespace nuvo
