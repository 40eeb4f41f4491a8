#include "core/decorate/DecorateEditor.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "core/common/Encoding.h"
#include "core/html/KanaConvert.h"

namespace nuvo {
namespace {

// Attributes that change the width or height of characters, so that lines must be cut again.
constexpr std::uint32_t kMetricFlags = DECO_BOLD | DECO_ITALIC | DECO_SIZE | DECO_ALIGN;

// The half-width middle dot that stands in for the byte 0x80, which the text never holds.
constexpr char kHalfMiddleDot = '\xA5';

void ReplaceAllOf(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

enum class CharKind { Word, Space, Hiragana, Katakana, Kanji, Other };

CharKind KindOf(std::string_view text, int pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (CharWidthAt(text, pos) == 1) {
    if ((lead >= '0' && lead <= '9') || (lead >= 'A' && lead <= 'Z') ||
        (lead >= 'a' && lead <= 'z') || lead == '_') {
      return CharKind::Word;
    }
    if (lead == ' ') return CharKind::Space;
    if (lead >= 0xA6 && lead <= 0xDF) return CharKind::Katakana;
    return CharKind::Other;
  }
  const int code = lead << 8 | static_cast<unsigned char>(text[pos + 1]);
  if (code == 0x8140) return CharKind::Space;
  if (code >= 0x829F && code <= 0x82F1) return CharKind::Hiragana;
  if ((code >= 0x8340 && code <= 0x8396) || code == 0x815B) return CharKind::Katakana;
  if (code >= 0x824F && code <= 0x829A) return CharKind::Word;  // full-width letters, digits
  if (code >= 0x889F) return CharKind::Kanji;
  return CharKind::Other;
}

}  // namespace

int ApplyOpCode(std::uint32_t flag) {
  const auto* it = std::find(std::begin(kDecorateCodeFlags), std::end(kDecorateCodeFlags), flag);
  return kOpApplyFirst + static_cast<int>(it - std::begin(kDecorateCodeFlags));
}

int RemoveOpCode(std::uint32_t flag) { return ApplyOpCode(flag) - kOpApplyFirst + kOpRemoveFirst; }

std::uint32_t FlagOfOpCode(int code) {
  if (code >= kOpApplyFirst && code < kOpRemoveFirst)
    return kDecorateCodeFlags[code - kOpApplyFirst];
  if (code >= kOpRemoveFirst && code < kOpClear) return kDecorateCodeFlags[code - kOpRemoveFirst];
  return 0;
}

CDecorateEditor::CDecorateEditor(int options) : options_(options & 0xFFFF) { doc_.SetBaseSize(90); }

bool CDecorateEditor::SetHtml(std::string_view html) {
  std::string fragment(html);
  bool dropped = false;
  if (!HasOption(kDecoMultiLine)) {
    const std::size_t before = fragment.size();
    ReplaceAllOf(fragment, "<br>", "");
    dropped = fragment.size() != before;
  }
  const int oldLength = doc_.GetLength();
  const bool understood = doc_.SetHtml(fragment);
  caret_ = anchor_ = 0;
  pending_.reset();
  if (listener_) listener_->TextReplaced(0, oldLength, doc_.GetLength());
  return understood && !dropped;
}

std::string CDecorateEditor::GetHtml() const {
  std::string html;
  doc_.GetHtml(html);
  return html;
}

void CDecorateEditor::MoveCaret(int pos, bool extend) {
  caret_ = std::clamp(pos, 0, doc_.GetLength());
  if (!extend) anchor_ = caret_;
  pending_.reset();
}

void CDecorateEditor::SetSelection(int anchor, int caret) {
  anchor_ = std::clamp(anchor, 0, doc_.GetLength());
  caret_ = std::clamp(caret, 0, doc_.GetLength());
  pending_.reset();
}

int CDecorateEditor::PrevCharPos(int pos) const {
  if (pos <= 0) return 0;
  const std::string& text = doc_.Text();
  // Character boundaries are only known walking forward, from the start of the line.
  const std::size_t lineBreak = text.rfind('\n', static_cast<std::size_t>(pos - 1));
  std::size_t at = lineBreak == std::string::npos ? 0 : lineBreak + 1;
  if (static_cast<int>(at) == pos) return pos - 1;
  std::size_t prev = at;
  while (static_cast<int>(at) < pos) {
    prev = at;
    at += CharWidthAt(text, at);
  }
  return static_cast<int>(prev);
}

int CDecorateEditor::NextCharPos(int pos) const {
  if (pos >= doc_.GetLength()) return doc_.GetLength();
  return pos + static_cast<int>(CharWidthAt(doc_.Text(), static_cast<std::size_t>(pos)));
}

std::pair<int, int> CDecorateEditor::WordAt(int pos) const {
  const std::string& text = doc_.Text();
  if (pos >= doc_.GetLength() || text[pos] == '\n') return {pos, pos};
  const CharKind kind = KindOf(text, pos);
  if (kind == CharKind::Other) return {pos, NextCharPos(pos)};
  int start = pos;
  while (start > 0 && text[start - 1] != '\n') {
    const int prev = PrevCharPos(start);
    if (KindOf(text, prev) != kind) break;
    start = prev;
  }
  int end = pos;
  while (end < doc_.GetLength() && text[end] != '\n' && KindOf(text, end) == kind) {
    end = NextCharPos(end);
  }
  return {start, end};
}

void CDecorateEditor::ToggleOverwrite() {
  overwrite_ = !overwrite_;
  if (listener_) listener_->OverwriteToggled();
}

void CDecorateEditor::Announce(int code, bool after) {
  if (!listener_) return;
  if (after) {
    listener_->AfterChange(code);
  } else {
    listener_->BeforeChange(code);
  }
}

void CDecorateEditor::InsertText(std::string_view text, int flags) {
  if (text.empty()) return;
  bool deleted = false;
  if (HasSelection()) {
    DeleteSelection();
    deleted = true;
  }
  const bool overwrite =
      (flags & kOverwriteAlways) != 0 || ((flags & kInsertAlways) == 0 && !deleted && overwrite_);
  const bool roundDown = (flags & kOverwriteRoundDown) != 0;
  const int pos = caret_;
  std::string overwritten;
  if (overwrite) {
    doc_.GetTextAt(pos, overwritten, static_cast<int>(text.size()), true, !roundDown);
    last_ = {pos, static_cast<int>(overwritten.size()), overwritten, 0};
  } else {
    last_ = {pos, 0, {}, 0};
  }
  Announce(kOpInsert, false);

  const bool lineBreak = text == "\n";
  const bool withPending = pending_ && !overwrite && !lineBreak;
  bool extendChar = (flags & kInsertExtendChar) != 0;
  bool extendPara = (flags & kInsertExtendPara) != 0;
  if (withPending && extendChar) {
    extendChar = false;
    extendPara = true;
  }
  const int n = static_cast<int>(text.size());
  const int removed = static_cast<int>(overwritten.size());
  doc_.InsertText(pos, text,
                  overwrite ? (roundDown ? kDecorateOverwriteRoundDown : kDecorateOverwriteRoundUp)
                            : kDecorateInsert,
                  extendChar, (flags & kInsertShift) != 0, extendPara);
  caret_ = anchor_ = pos + n;
  if (listener_) listener_->TextReplaced(pos, removed, n);
  last_ = {pos, n, std::string(text), flags};
  if (withPending) {
    // The chosen style goes onto the new text before the change is reported, so that the host
    // sees the text as it stays: plain attributes first, then the valued ones.
    bool applied = false;
    const CDecorateCharRange style = *pending_;
    for (std::uint32_t flag : kDecorateCodeFlags) {
      if (flag == DECO_ALIGN || !style.HasFlag(flag)) continue;
      DecorateValue value;
      if (flag == DECO_COLOR) value.number = static_cast<int>(style.Color());
      if (flag == DECO_SIZE) value.number = style.Size();
      if (flag == DECO_LINK) value.text = style.Link();
      applied = doc_.AddDecoration(pos, pos + n, flag, value) || applied;
    }
    if (listener_) listener_->DecorationChanged(pos, pos + n, style.HasFlag(kMetricFlags));
    if (applied) pending_.reset();
  }
  Announce(kOpInsert, true);
}

void CDecorateEditor::DeleteText(int pos, int count) {
  if (pos < 0 || pos >= doc_.GetLength() || count <= 0) return;
  count = std::min(count, doc_.GetLength() - pos);
  std::string removed;
  doc_.GetTextAt(pos, removed, count, false, false);
  last_ = {pos, count, removed, 0};
  Announce(kOpDelete, false);
  doc_.DeleteText(pos, count, true);
  caret_ = anchor_ = pos;
  if (listener_) listener_->TextReplaced(pos, count, 0);
  Announce(kOpDelete, true);
}

void CDecorateEditor::DeleteSelection() {
  if (HasSelection()) DeleteText(SelectionStart(), SelectionEnd() - SelectionStart());
}

void CDecorateEditor::Backspace() {
  if (HasSelection()) {
    DeleteSelection();
  } else if (caret_ > 0) {
    const int prev = PrevCharPos(caret_);
    DeleteText(prev, caret_ - prev);
  }
}

void CDecorateEditor::DeleteForward() {
  if (HasSelection()) {
    DeleteSelection();
  } else if (caret_ < doc_.GetLength()) {
    DeleteText(caret_, NextCharPos(caret_) - caret_);
  }
}

void CDecorateEditor::TypeText(std::string_view text) {
  std::string typed(text);
  std::replace(typed.begin(), typed.end(), '\x80', kHalfMiddleDot);
  if (!HasOption(kDecoKeepHalfKana)) typed = HalfToFullKana(typed);
  InsertText(typed, kInsertTyped);
}

bool CDecorateEditor::TypeLineBreak() {
  if (!HasOption(kDecoMultiLine)) return false;
  InsertText("\n", kInsertTyped);
  return true;
}

std::pair<int, int> CDecorateEditor::WidenToLines(int start, int end) const {
  const std::string& text = doc_.Text();
  const std::size_t before =
      start > 0 ? text.rfind('\n', static_cast<std::size_t>(start - 1)) : std::string::npos;
  const int lineStart = before == std::string::npos ? 0 : static_cast<int>(before) + 1;
  int lineEnd = doc_.GetLength();
  if (end > lineStart && text[end - 1] == '\n') {
    lineEnd = end;
  } else {
    const std::size_t after = text.find('\n', static_cast<std::size_t>(end));
    if (after != std::string::npos) lineEnd = static_cast<int>(after) + 1;
  }
  return {lineStart, lineEnd};
}

bool CDecorateEditor::ApplyDecoration(std::uint32_t flag, int start, int end,
                                      const DecorateValue& value) {
  if (flag == DECO_ALIGN) std::tie(start, end) = WidenToLines(start, end);
  if (start < 0 || end <= start) return false;
  const int code = ApplyOpCode(flag);
  last_ = {start, end - start, value.text, value.number};
  Announce(code, false);
  const bool changed = doc_.AddDecoration(start, end, flag, value);
  if (listener_) listener_->DecorationChanged(start, end, (flag & kMetricFlags) != 0);
  Announce(code, true);
  return changed;
}

bool CDecorateEditor::RemoveDecoration(std::uint32_t flag, int start, int end) {
  if (flag == DECO_ALIGN) std::tie(start, end) = WidenToLines(start, end);
  if (start < 0 || end <= start) return false;
  const int code = RemoveOpCode(flag);
  last_ = {start, end - start, {}, 0};
  Announce(code, false);
  const bool changed = doc_.RemoveDecoration(start, end, flag);
  if (listener_) listener_->DecorationChanged(start, end, (flag & kMetricFlags) != 0);
  Announce(code, true);
  return changed;
}

bool CDecorateEditor::ClearDecorations(int start, int end) {
  if (start < 0 || end <= start) return false;
  last_ = {start, end - start, {}, 0};
  Announce(kOpClear, false);
  const bool metrics = doc_.HasOverlapping(start, end, kMetricFlags & ~DECO_ALIGN);
  const bool changed = doc_.ClearDecorations(start, end);
  if (changed && listener_) listener_->DecorationChanged(start, end, metrics);
  Announce(kOpClear, true);
  return changed;
}

std::string CDecorateEditor::SelectedText() const {
  std::string text;
  if (HasSelection()) {
    doc_.GetTextAt(SelectionStart(), text, SelectionEnd() - SelectionStart(), false, false);
  }
  return text;
}

std::string CDecorateEditor::SelectedHtml() const {
  std::string html;
  if (HasSelection()) doc_.GetHtml(html, SelectionStart(), SelectionEnd() - SelectionStart());
  return html;
}

void CDecorateEditor::PasteHtml(std::string_view html) {
  std::string fragment(html);
  if (!HasOption(kDecoMultiLine)) ReplaceAllOf(fragment, "<br>", "");
  CDecorateEditDoc scratch;
  scratch.SetBaseSize(doc_.GetBaseSize());
  scratch.SetHtml(fragment);
  if (scratch.GetLength() == 0) return;
  const int pos = HasSelection() ? SelectionStart() : caret_;
  InsertText(scratch.Text(), kInsertDecorated);
  // From the tail, so that the ranges nearest the head of the fragment end up nearest the head
  // here too and keep winning where they overlap.
  const std::uint32_t order[] = {DECO_BOLD, DECO_ITALIC, DECO_UNDERLINE, DECO_STRIKE,
                                 DECO_SIZE, DECO_COLOR,  DECO_LINK};
  const DecorateRangeList& ranges = scratch.Ranges();
  for (auto it = ranges.rbegin(); it != ranges.rend(); ++it) {
    const CDecorateRange& range = **it;
    if (range.IsParagraph() || !range.IsValid() || range.IsEmpty()) continue;
    const auto& chars = static_cast<const CDecorateCharRange&>(range);
    for (std::uint32_t flag : order) {
      if (!chars.HasFlag(flag)) continue;
      DecorateValue value;
      if (flag == DECO_COLOR) value.number = static_cast<int>(chars.Color());
      if (flag == DECO_SIZE) value.number = chars.Size();
      if (flag == DECO_LINK) value.text = chars.Link();
      ApplyDecoration(flag, pos + range.Start(), pos + range.End(), value);
    }
  }
  caret_ = anchor_ = pos + scratch.GetLength();
}

std::string CDecorateEditor::FitPlainText(std::string_view text) const {
  std::string fitted(text);
  ReplaceAllOf(fitted, "\r\n", "\n");
  ReplaceAllOf(fitted, "<br>", "\n");
  ReplaceAllOf(fitted, "\t", "    ");
  std::erase(fitted, '\r');
  std::replace(fitted.begin(), fitted.end(), '\x80', kHalfMiddleDot);
  if (!HasOption(kDecoMultiLine)) std::erase(fitted, '\n');
  if (!HasOption(kDecoKeepHalfKana)) fitted = HalfToFullKana(fitted);
  return fitted;
}

void CDecorateEditor::PastePlain(std::string_view text) {
  InsertText(FitPlainText(text), kInsertTyped);
}

CDecorateCharRange CDecorateEditor::StyleAtCaret() const {
  CDecorateCharRange style;
  int pos = caret_;
  if (pos > 0 && !doc_.IsLineBreakAt(pos - 1)) pos = PrevCharPos(pos);
  doc_.GetStyleAt(pos, style);
  return style;
}

CDecorateCharRange& CDecorateEditor::EditPendingStyle() {
  if (!pending_) pending_ = StyleAtCaret();
  return *pending_;
}

}  // namespace nuvo
