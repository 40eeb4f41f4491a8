#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "core/decorate/DecorateEditor.h"
#include "core/document/EditCommand.h"

// The changes made in a decorated editor become steps of the listing's one undo history, so that
// Ctrl+Z takes back a decoration as it takes back a typed word. Before each change the recorder
// keeps what the change will destroy (overwritten or deleted text with its decorations, the
// earlier ranges of a decoration); after it, it adds one step that can undo and redo the change
// through the editor. Links the listing and the editor, owns neither; `store` writes the editor's
// text back to the listing field after an undo or redo.
namespace nuvo {

class CNuvoDoc;

class CDecorateHistory {
 public:
  CDecorateHistory(CNuvoDoc& doc, CDecorateEditor& editor, std::function<void()> store)
      : doc_(doc), editor_(editor), store_(std::move(store)) {}

  // The editor's announcements; ignored while a step of this history is being replayed.
  void BeforeChange(int code);
  void AfterChange(int code);

  // The ranges of each character attribute (and the centring) over a part of the text, as a step
  // keeps them to put them back.
  struct Capture {
    std::uint32_t flag;
    std::vector<DecorateSpan> spans;
  };

 private:
  CNuvoDoc& doc_;
  CDecorateEditor& editor_;
  std::function<void()> store_;
  std::vector<Capture> captured_;
  DecorateOperation before_;
  bool replaying_ = false;

  friend class CDecorateStepCommand;
};

}  // namespace nuvo
