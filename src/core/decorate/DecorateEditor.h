#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/decorate/DecorateEditDoc.h"

// The editing state of one decorated editor, without a window: the document, the caret and the
// selection, the pending typing style and the record of the last change. Every change of the
// document goes through here, so that each one is announced before and after to the listener
// (the view relays out from it, the host keeps its history from it). Owns the document and the
// pending style; the listener belongs to the caller.
namespace nuvo {

// Options of an editor.
inline constexpr int kDecoMultiLine = 0x1;       // Enter, pasted and loaded line breaks are kept
inline constexpr int kDecoShowWideSpace = 0x2;   // a mark for each full-width space
inline constexpr int kDecoShowLineBreak = 0x4;   // a mark for each line break
inline constexpr int kDecoKeepHalfKana = 0x8;    // half-width katakana are not made full width
inline constexpr int kDecoKeepSelection = 0x10;  // the selection stays when the focus leaves
inline constexpr int kDecoAllowCentre = 0x20;    // lines may be centred

// How InsertText places its text.
inline constexpr int kInsertAlways = 0x1;         // insert even in overwrite mode
inline constexpr int kOverwriteAlways = 0x2;      // overwrite even in insert mode
inline constexpr int kInsertExtendChar = 0x4;     // typed text continues the decorations around it
inline constexpr int kInsertShift = 0x8;          // ranges after the insertion point move
inline constexpr int kOverwriteRoundDown = 0x10;  // an overwrite leaves a cut two-byte character
inline constexpr int kInsertExtendPara = 0x20;    // centred lines grow over the inserted text
inline constexpr int kInsertTyped = kInsertExtendChar | kInsertShift;
inline constexpr int kInsertDecorated = kInsertShift | kInsertExtendPara;

// The kinds of change announced to the listener.
enum DecorateOpCode : int {
  kOpInsert = 1,
  kOpDelete = 2,
  kOpApplyFirst = 3,    // bold, italic, underline, strike, colour, size, link, centring: 3..10
  kOpRemoveFirst = 11,  // the same removed: 11..18
  kOpClear = 19,
};

// The attribute flags in the order of the operation codes.
inline constexpr std::uint32_t kDecorateCodeFlags[] = {DECO_BOLD,   DECO_ITALIC, DECO_UNDERLINE,
                                                       DECO_STRIKE, DECO_COLOR,  DECO_SIZE,
                                                       DECO_LINK,   DECO_ALIGN};
int ApplyOpCode(std::uint32_t flag);
int RemoveOpCode(std::uint32_t flag);
// The attribute an apply or remove code works on; 0 for the other codes.
std::uint32_t FlagOfOpCode(int code);

// What the last change did: its start and length, the inserted or deleted text (or the link
// address), and the number it carried (insertion flags, colour, size or alignment).
struct DecorateOperation {
  int start = -1;
  int length = 0;
  std::string text;
  int value = 0;
};

class IDecorateEditListener {
 public:
  virtual ~IDecorateEditListener() = default;
  virtual void BeforeChange(int /*code*/) {}
  virtual void AfterChange(int /*code*/) {}
  // `removed` bytes at `pos` were replaced by `inserted` bytes.
  virtual void TextReplaced(int /*pos*/, int /*removed*/, int /*inserted*/) {}
  // The decorations of [start, end) changed; `relayout` when the line heights or the centring may
  // have changed with them, else a repaint is enough.
  virtual void DecorationChanged(int /*start*/, int /*end*/, bool /*relayout*/) {}
  virtual void OverwriteToggled() {}
};

class CDecorateEditor {
 public:
  explicit CDecorateEditor(int options = kDecoMultiLine);

  CDecorateEditDoc& Doc() { return doc_; }
  const CDecorateEditDoc& Doc() const { return doc_; }
  int Options() const { return options_; }
  bool HasOption(int option) const { return (options_ & option) != 0; }
  void SetListener(IDecorateEditListener* listener) { listener_ = listener; }

  // Loads a fragment; a single-line editor drops its line breaks. True when everything was
  // understood and nothing dropped. The caret goes to the start.
  bool SetHtml(std::string_view html);
  std::string GetHtml() const;

  // Caret and selection (byte positions, always on character boundaries).
  int Caret() const { return caret_; }
  int Anchor() const { return anchor_; }
  bool HasSelection() const { return caret_ != anchor_; }
  int SelectionStart() const { return std::min(caret_, anchor_); }
  int SelectionEnd() const { return std::max(caret_, anchor_); }
  // Moves the caret as a key or the mouse does: with `extend` the anchor stays. Drops the pending
  // style.
  void MoveCaret(int pos, bool extend);
  void SetSelection(int anchor, int caret);
  void SelectAll() { SetSelection(0, doc_.GetLength()); }
  void ClearSelection() { anchor_ = caret_; }
  int PrevCharPos(int pos) const;
  int NextCharPos(int pos) const;
  // The word around `pos`: a run of characters of one kind (letters and digits, hiragana,
  // katakana, kanji, spaces); any other character is a word of its own.
  std::pair<int, int> WordAt(int pos) const;

  // Overwrite mode, one for every editor of the program.
  static bool Overwrite() { return overwrite_; }
  void ToggleOverwrite();

  // Changes, each announced before and after.
  void InsertText(std::string_view text, int flags);
  void DeleteText(int pos, int count);
  void DeleteSelection();
  void Backspace();
  void DeleteForward();
  // Text from the keyboard or the input method: 0x80 becomes "･", and half-width katakana become
  // full width unless the editor keeps them.
  void TypeText(std::string_view text);
  // Enter: a line break in a multi-line editor; false (nothing done) in a single-line one.
  bool TypeLineBreak();
  bool ApplyDecoration(std::uint32_t flag, int start, int end, const DecorateValue& value = {});
  bool RemoveDecoration(std::uint32_t flag, int start, int end);
  bool ClearDecorations(int start, int end);

  // Clipboard contents of the selection, and pasting them back.
  std::string SelectedText() const;
  std::string SelectedHtml() const;
  void PasteHtml(std::string_view html);
  void PastePlain(std::string_view text);

  // Centring works on whole lines: [start, end) widened to the start of its first line and past
  // the line break of its last.
  std::pair<int, int> WidenToLines(int start, int end) const;

  // The style that typed text takes when no decoration command has been given since the caret
  // last moved: that of the character before the caret on its line.
  CDecorateCharRange StyleAtCaret() const;
  // The style chosen without a selection, for the text typed next; null when none is pending.
  const CDecorateCharRange* PendingStyle() const { return pending_ ? &*pending_ : nullptr; }
  // The pending style, created from the caret's style on first use.
  CDecorateCharRange& EditPendingStyle();
  void DropPendingStyle() { pending_.reset(); }

  const DecorateOperation& LastOperation() const { return last_; }

 private:
  void Announce(int code, bool after);
  // Makes the pasted text fit the editor: its line breaks and katakana.
  std::string FitPlainText(std::string_view text) const;

  CDecorateEditDoc doc_;
  int options_;
  int caret_ = 0;
  int anchor_ = 0;
  std::optional<CDecorateCharRange> pending_;
  DecorateOperation last_;
  IDecorateEditListener* listener_ = nullptr;
  static inline bool overwrite_ = false;
};

}  // namespace nuvo
