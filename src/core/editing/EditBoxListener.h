#pragma once

#include <cstddef>
#include <string>

#include "core/document/EditCommand.h"

// Typing in the panes' edit boxes goes into the listing's one undo history, so that Ctrl+Z walks
// typing and every other edit in a single sequence. The pane that owns a box attaches a listener
// to it; the box reports each editing step, and the listener records it as a command.
namespace nuvo {

struct TextRange {
  std::size_t start = 0;
  std::size_t end = 0;
  friend bool operator==(const TextRange&, const TextRange&) = default;
};

// An edit box as the history sees it (the shell's edit control implements it). Text set through
// it must reach the listing just as typed text does.
class IEditBox {
 public:
  virtual ~IEditBox() = default;
  virtual std::string GetText() const = 0;
  virtual void SetText(const std::string& text, TextRange selection) = 0;
};

// One editing step of a box: its text and selection before and after.
struct CEditStep {
  enum Kind {
    kTyping = 1,       // text typed, or a selection replaced
    kOtherChange = 2,  // any other change: cut, paste of a whole text, a text set by the program
  };
  Kind kind = kTyping;
  std::string before;
  std::string after;
  TextRange selectionBefore;
  TextRange selectionAfter;
};

class CEditBoxListener {
 public:
  // Links the document and the box; owns neither.
  CEditBoxListener(CNuvoDoc& doc, IEditBox& box) : doc_(doc), box_(box) {}

  // Records a step that has already happened in the box. A step that changed nothing is dropped.
  void OnEditStep(const CEditStep& step);

 private:
  CNuvoDoc& doc_;
  IEditBox& box_;
};

}  // namespace nuvo
