#include "core/editing/DecorateHistory.h"

#include <algorithm>

#include "core/document/NuvoDoc.h"

namespace nuvo {
namespace {

constexpr std::uint32_t kCharFlags[] = {DECO_BOLD,  DECO_ITALIC, DECO_UNDERLINE, DECO_STRIKE,
                                        DECO_COLOR, DECO_SIZE,   DECO_LINK};

void CaptureFlag(const CDecorateEditDoc& doc, int start, int end, std::uint32_t flag,
                 std::vector<CDecorateHistory::Capture>& out) {
  CDecorateHistory::Capture capture{flag, {}};
  if (doc.CollectRanges(start, end, flag, capture.spans)) out.push_back(std::move(capture));
}

void CaptureCharacters(const CDecorateEditDoc& doc, int start, int end,
                       std::vector<CDecorateHistory::Capture>& out) {
  for (std::uint32_t flag : kCharFlags) CaptureFlag(doc, start, end, flag, out);
}

}  // namespace

// One change of a decorated editor, replayed through the editor with the recorder's replay flag
// set so that the replay records nothing.
class CDecorateStepCommand : public CEditCommand {
 public:
  CDecorateStepCommand(CDecorateHistory& history, int code, DecorateOperation before,
                       DecorateOperation after, std::vector<CDecorateHistory::Capture> destroyed,
                       std::vector<CDecorateHistory::Capture> created)
      : CEditCommand(history.doc_),
        history_(history),
        code_(code),
        before_(std::move(before)),
        after_(std::move(after)),
        destroyed_(std::move(destroyed)),
        created_(std::move(created)) {}

 protected:
  // The editor already shows the change.
  void Apply() override { SchedulePreview(); }
  void Revert() override { Replay(false); }
  void Reapply() override { Replay(true); }

 private:
  void Replay(bool forward) {
    history_.replaying_ = true;
    CDecorateEditor& editor = history_.editor_;
    const int start = after_.start;
    const int end = after_.start + after_.length;
    if (code_ == kOpInsert) {
      if (forward) {
        editor.MoveCaret(start, false);
        if (before_.length > 0) editor.DeleteText(start, before_.length);
        editor.InsertText(after_.text, kInsertShift | kInsertAlways);
        Restore(created_, start, end);
      } else {
        editor.DeleteText(start, after_.length);
        if (!before_.text.empty()) {
          editor.MoveCaret(start, false);
          editor.InsertText(before_.text, kInsertShift | kInsertAlways);
          Restore(destroyed_, start, start + before_.length);
        }
        editor.MoveCaret(start + before_.length, false);
      }
    } else if (code_ == kOpDelete) {
      if (forward) {
        editor.DeleteText(start, after_.length);
      } else {
        editor.MoveCaret(start, false);
        editor.InsertText(after_.text, kInsertShift | kInsertAlways);
        Restore(destroyed_, start, end);
        editor.SetSelection(start, end);
      }
    } else if (code_ == kOpClear) {
      if (forward) {
        editor.ClearDecorations(start, end);
      } else {
        Restore(destroyed_, start, end);
      }
      editor.SetSelection(start, end);
    } else {
      const std::uint32_t flag = FlagOfOpCode(code_);
      if (!forward) {
        Restore(destroyed_, start, end, flag);
      } else if (code_ < kOpRemoveFirst) {
        editor.ApplyDecoration(flag, start, end, {after_.value, after_.text});
      } else {
        editor.RemoveDecoration(flag, start, end);
      }
      editor.SetSelection(start, end);
    }
    history_.replaying_ = false;
    history_.store_();
  }

  // Puts captured ranges back: first the attribute is taken off the part, then each range is laid
  // on again, the tail-most first so that the head-most ends nearest the head again.
  // `flag`, when given, is taken off the part even when nothing of it was captured.
  void Restore(const std::vector<CDecorateHistory::Capture>& captures, int start, int end,
               std::uint32_t flag = 0) {
    CDecorateEditor& editor = history_.editor_;
    if (flag != 0) editor.RemoveDecoration(flag, start, end);
    for (const auto& capture : captures) {
      if (capture.flag != flag) editor.RemoveDecoration(capture.flag, start, end);
      for (const DecorateSpan& span : capture.spans) {
        editor.ApplyDecoration(capture.flag, span.start, span.end, span.value);
      }
    }
  }

  CDecorateHistory& history_;
  int code_;
  DecorateOperation before_;
  DecorateOperation after_;
  std::vector<CDecorateHistory::Capture> destroyed_;
  std::vector<CDecorateHistory::Capture> created_;
};

void CDecorateHistory::BeforeChange(int code) {
  if (replaying_) return;
  captured_.clear();
  before_ = editor_.LastOperation();
  const CDecorateEditDoc& doc = editor_.Doc();
  const int start = before_.start;
  const int end = before_.start + before_.length;
  if (start < 0 || before_.length <= 0) return;
  if (code == kOpInsert || code == kOpDelete || code == kOpClear) {
    CaptureCharacters(doc, start, end, captured_);
    if (code == kOpDelete) CaptureFlag(doc, start, end, DECO_ALIGN, captured_);
  } else if (const std::uint32_t flag = FlagOfOpCode(code)) {
    CaptureFlag(doc, start, end, flag, captured_);
  }
}

void CDecorateHistory::AfterChange(int code) {
  if (replaying_) return;
  const DecorateOperation after = editor_.LastOperation();
  std::vector<Capture> created;
  if (code == kOpInsert) {
    // Typed text may carry a style chosen before it was typed: the redo puts it back.
    CaptureCharacters(editor_.Doc(), after.start, after.start + after.length, created);
  }
  doc_.GetCommandHistory().Add(std::make_unique<CDecorateStepCommand>(
      *this, code, before_, after, std::move(captured_), std::move(created)));
  captured_.clear();
}

}  // namespace nuvo
