#include "core/editing/EditBoxListener.h"

#include <algorithm>
#include <memory>

#include "core/common/Encoding.h"
#include "core/document/NuvoDoc.h"

namespace nuvo {
namespace {

// Whether `pos` starts a character of `text` (or is its end).
bool IsCharBoundary(std::string_view text, std::size_t pos) {
  std::size_t at = 0;
  while (at < pos) at += CharWidthAt(text, at);
  return at == pos;
}

// The part of `before` that `after` replaced: both texts share whole characters before `offset`
// and after the replaced part.
struct Replacement {
  std::size_t offset = 0;
  std::string removed;
  std::string inserted;
};

Replacement Difference(std::string_view before, std::string_view after) {
  std::size_t prefix = 0;
  while (prefix < before.size() && prefix < after.size()) {
    std::size_t width = CharWidthAt(before, prefix);
    if (before.substr(prefix, width) != after.substr(prefix, width)) break;
    prefix += width;
  }
  std::size_t limit = std::min(before.size(), after.size()) - prefix;
  std::size_t suffix = 0;
  while (suffix < limit && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  // A trail byte may equal a lead byte's partner elsewhere: shrink until both cuts fall between
  // characters.
  while (suffix > 0 && !(IsCharBoundary(before, before.size() - suffix) &&
                         IsCharBoundary(after, after.size() - suffix))) {
    --suffix;
  }
  return {prefix, std::string(before.substr(prefix, before.size() - suffix - prefix)),
          std::string(after.substr(prefix, after.size() - suffix - prefix))};
}

class CEditBoxCommand : public CEditCommand {
 public:
  CEditBoxCommand(CNuvoDoc& doc, IEditBox& box, const CEditStep& step)
      : CEditCommand(doc),
        box_(box),
        kind_(step.kind),
        selectionBefore_(step.selectionBefore),
        selectionAfter_(step.selectionAfter) {
    if (kind_ == CEditStep::kTyping) {
      // Typing changes a few characters of what may be a long text: keep only those.
      change_ = Difference(step.before, step.after);
    } else {
      before_ = step.before;
      after_ = step.after;
    }
  }

 protected:
  // The box already shows the step.
  void Apply() override { SchedulePreview(); }
  void Revert() override { Put(false); }
  void Reapply() override { Put(true); }

 private:
  void Put(bool forward) {
    TextRange selection = forward ? selectionAfter_ : selectionBefore_;
    if (kind_ == CEditStep::kTyping) {
      std::string text = box_.GetText();
      const std::string& from = forward ? change_.removed : change_.inserted;
      const std::string& to = forward ? change_.inserted : change_.removed;
      // The box holds what the history left in it; anything else was changed behind its back.
      if (change_.offset > text.size() || text.compare(change_.offset, from.size(), from) != 0) {
        return;
      }
      text.replace(change_.offset, from.size(), to);
      box_.SetText(text, selection);
    } else {
      box_.SetText(forward ? after_ : before_, selection);
    }
    SchedulePreview();
  }

  IEditBox& box_;
  CEditStep::Kind kind_;
  Replacement change_;
  std::string before_;
  std::string after_;
  TextRange selectionBefore_;
  TextRange selectionAfter_;
};

}  // namespace

void CEditBoxListener::OnEditStep(const CEditStep& step) {
  if (step.before == step.after) return;
  doc_.ExecuteCommand(std::make_unique<CEditBoxCommand>(doc_, box_, step));
}

}  // namespace nuvo
