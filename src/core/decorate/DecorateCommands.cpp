#include "core/decorate/DecorateCommands.h"

#include <algorithm>
#include <vector>

#include "core/common/AsciiCase.h"
#include "core/common/Encoding.h"
#include "core/common/MessageIds.h"
#include "core/decorate/DecorateAddress.h"
#include "core/html/CharClass.h"

namespace nuvo {
namespace {

constexpr int kStandardLevel = 3;

std::uint32_t ToggleFlag(int id) {
  switch (id) {
    case ID_DECO_BOLD:
      return DECO_BOLD;
    case ID_DECO_ITALIC:
      return DECO_ITALIC;
    case ID_DECO_UNDERLINE:
      return DECO_UNDERLINE;
    case ID_DECO_STRIKE:
      return DECO_STRIKE;
    default:
      return 0;
  }
}

}  // namespace

std::optional<std::pair<int, int>> CDecorateCommands::CommandRange() const {
  if (!editor_.HasSelection()) return std::nullopt;
  int start = editor_.SelectionStart();
  int end = editor_.SelectionEnd();
  const CDecorateEditDoc& doc = editor_.Doc();
  if (doc.IsLineBreakAt(start)) ++start;
  if (doc.IsLineBreakAt(end)) ++end;
  return std::pair{start, end};
}

bool CDecorateCommands::Run(int id) {
  if (const std::uint32_t flag = ToggleFlag(id)) return Toggle(flag);
  if (id >= ID_DECO_SIZE_1 && id <= ID_DECO_SIZE_7) {
    SetLevel(id - ID_DECO_SIZE_1 + 1);
    return true;
  }
  switch (id) {
    case ID_DECO_COLOR:
      ChooseColor();
      return true;
    case ID_DECO_GROW:
      if (CanGrowSize()) StepSize(1);
      return true;
    case ID_DECO_SHRINK:
      if (CanShrinkSize()) StepSize(-1);
      return true;
    case ID_DECO_LINK:
      ChooseLink();
      return true;
    case ID_DECO_REMOVE_LINK:
      Remove(DECO_LINK);
      return true;
    case ID_DECO_CLEAR:
      Clear();
      return true;
    case ID_DECO_CENTRE:
      Centre();
      return true;
    case ID_DECO_DETECT:
      DetectUnlinkedAddresses();
      return true;
    default:
      return false;
  }
}

bool CDecorateCommands::Toggle(std::uint32_t flag) {
  if (IsApplied(flag)) {
    Remove(flag);
  } else {
    Apply(flag, {});
  }
  return true;
}

void CDecorateCommands::Apply(std::uint32_t flag, const DecorateValue& value) {
  const auto range = CommandRange();
  if (!range) {
    CDecorateCharRange& style = editor_.EditPendingStyle();
    if (flag == DECO_COLOR) {
      style.SetColor(static_cast<std::uint32_t>(value.number));
    } else if (flag == DECO_SIZE) {
      style.SetSize(value.number);
    } else if (flag == DECO_LINK) {
      style.SetLink(value.text);
    } else {
      style.AddFlag(flag);
    }
    return;
  }
  if (range->first < range->second)
    editor_.ApplyDecoration(flag, range->first, range->second, value);
}

void CDecorateCommands::Remove(std::uint32_t flag) {
  const auto range = CommandRange();
  if (!range) {
    editor_.EditPendingStyle().RemoveAttribute(flag);
    return;
  }
  if (range->first < range->second) editor_.RemoveDecoration(flag, range->first, range->second);
}

void CDecorateCommands::SetLevel(int level) {
  if (level == kStandardLevel) {
    Remove(DECO_SIZE);
  } else {
    Apply(DECO_SIZE, {editor_.Doc().LevelToSize(level), {}});
  }
}

void CDecorateCommands::StepSize(int step) {
  const auto range = CommandRange();
  const int current = range ? ExtremeLevel(range->first, range->second, step > 0) : CaretLevel();
  SetLevel(std::clamp(current + step, 1, 7));
}

void CDecorateCommands::ChooseColor() {
  const auto range = CommandRange();
  const CDecorateEditDoc& doc = editor_.Doc();
  int initial = -1;
  if (range && range->first < range->second) {
    if (doc.IsAppliedToAll(range->first, range->second, DECO_COLOR)) {
      initial = doc.GetColorAt(range->first);
    }
  } else if (!range) {
    const CDecorateCharRange style =
        editor_.PendingStyle() ? *editor_.PendingStyle() : editor_.StyleAtCaret();
    if (style.HasFlag(DECO_COLOR)) initial = static_cast<int>(style.Color());
  }
  const std::optional<int> color = dialogs_.ChooseColor(initial);
  if (!color) return;
  if (*color == IDecorateDialogs::kStandardColor) {
    Remove(DECO_COLOR);
  } else {
    Apply(DECO_COLOR, {*color, {}});
  }
}

void CDecorateCommands::ChooseLink() {
  const auto range = CommandRange();
  const CDecorateEditDoc& doc = editor_.Doc();
  std::string initial;
  if (range && range->first < range->second) {
    if (!doc.IsAppliedToAll(range->first, range->second, DECO_LINK) ||
        !doc.GetLinkAt(range->first, initial)) {
      initial = GetLinkAddressFromText(doc, range->first, range->second - range->first);
    }
  } else if (!range) {
    const CDecorateCharRange style =
        editor_.PendingStyle() ? *editor_.PendingStyle() : editor_.StyleAtCaret();
    if (style.HasFlag(DECO_LINK)) initial = style.Link();
  }
  const std::optional<std::string> link = dialogs_.ChooseLink(initial);
  if (!link) return;
  if (link->empty()) {
    Remove(DECO_LINK);
  } else {
    Apply(DECO_LINK, {0, *link});
  }
}

void CDecorateCommands::Clear() {
  const auto range = CommandRange();
  if (!range) {
    editor_.EditPendingStyle().Reset();
    return;
  }
  editor_.ClearDecorations(range->first, range->second);
}

void CDecorateCommands::Centre() {
  if (!editor_.HasOption(kDecoAllowCentre)) return;
  const CDecorateEditDoc& doc = editor_.Doc();
  int start = editor_.SelectionStart();
  int end = editor_.SelectionEnd();
  if (start == end && start == doc.GetLength() && start > 0) start = editor_.PrevCharPos(start);
  std::tie(start, end) = editor_.WidenToLines(start, std::max(end, start));
  if (IsCentred()) {
    editor_.RemoveDecoration(DECO_ALIGN, start, end);
  } else {
    editor_.ApplyDecoration(DECO_ALIGN, start, end, {kAlignCentre, {}});
  }
}

bool CDecorateCommands::IsCentred() const {
  const CDecorateEditDoc& doc = editor_.Doc();
  int start = editor_.SelectionStart();
  int end = editor_.SelectionEnd();
  if (start == end && start == doc.GetLength() && start > 0) start = editor_.PrevCharPos(start);
  std::tie(start, end) = editor_.WidenToLines(start, std::max(end, start));
  if (start >= end) return doc.GetAlignmentAt(std::max(0, start - 1)) == kAlignCentre && start > 0;
  return doc.IsAppliedToAll(start, end, DECO_ALIGN);
}

bool CDecorateCommands::IsApplied(std::uint32_t flag) const {
  if (const auto range = CommandRange()) {
    return range->first < range->second &&
           editor_.Doc().IsAppliedToAll(range->first, range->second, flag);
  }
  const CDecorateCharRange style =
      editor_.PendingStyle() ? *editor_.PendingStyle() : editor_.StyleAtCaret();
  return style.HasFlag(flag);
}

int CDecorateCommands::CaretLevel() const {
  const CDecorateCharRange style =
      editor_.PendingStyle() ? *editor_.PendingStyle() : editor_.StyleAtCaret();
  return style.HasFlag(DECO_SIZE) ? editor_.Doc().SizeToLevel(style.Size()) : kStandardLevel;
}

int CDecorateCommands::ExtremeLevel(int a, int b, bool smallest) const {
  const CDecorateEditDoc& doc = editor_.Doc();
  if (!doc.HasOverlapping(a, b, DECO_SIZE)) return kStandardLevel;
  const int stop = smallest ? 1 : 7;
  int extreme = smallest ? 7 : 1;
  for (int pos = a; pos < b; pos = editor_.NextCharPos(pos)) {
    const int size = doc.GetSizeAt(pos);
    const int level = size < 0 ? kStandardLevel : doc.SizeToLevel(size);
    extreme = smallest ? std::min(extreme, level) : std::max(extreme, level);
    if (extreme == stop) break;
  }
  return extreme;
}

int CDecorateCommands::UniformLevel(int a, int b) const {
  const CDecorateEditDoc& doc = editor_.Doc();
  if (!doc.HasOverlapping(a, b, DECO_SIZE)) return kStandardLevel;
  if (!doc.IsAppliedToAll(a, b, DECO_SIZE)) return 0;
  const int size = doc.GetSizeAt(a);
  for (int pos = a; pos < b; pos = editor_.NextCharPos(pos)) {
    if (doc.GetSizeAt(pos) != size) return 0;
  }
  return doc.SizeToLevel(size);
}

bool CDecorateCommands::CanGrowSize() const {
  if (const auto range = CommandRange()) {
    return range->first < range->second && ExtremeLevel(range->first, range->second, true) < 7;
  }
  return !CDecorateEditor::Overwrite() && CaretLevel() < 7;
}

bool CDecorateCommands::CanShrinkSize() const {
  if (const auto range = CommandRange()) {
    return range->first < range->second && ExtremeLevel(range->first, range->second, false) > 1;
  }
  return !CDecorateEditor::Overwrite() && CaretLevel() > 1;
}

bool CDecorateCommands::IsChecked(int id) const {
  if (const std::uint32_t flag = ToggleFlag(id)) return IsApplied(flag);
  if (id >= ID_DECO_SIZE_1 && id <= ID_DECO_SIZE_7) {
    const int level = id - ID_DECO_SIZE_1 + 1;
    if (const auto range = CommandRange()) {
      return range->first < range->second && UniformLevel(range->first, range->second) == level;
    }
    return !CDecorateEditor::Overwrite() && CaretLevel() == level;
  }
  switch (id) {
    case ID_DECO_COLOR:
      return IsApplied(DECO_COLOR);
    case ID_DECO_LINK:
      return IsApplied(DECO_LINK);
    case ID_DECO_CENTRE:
      return editor_.HasOption(kDecoAllowCentre) && IsCentred();
    default:
      return false;
  }
}

bool CDecorateCommands::IsEnabled(int id) const {
  switch (id) {
    case ID_DECO_COPY:
    case ID_DECO_CUT:
      return editor_.HasSelection();
    case ID_DECO_GROW:
      return CanGrowSize();
    case ID_DECO_SHRINK:
      return CanShrinkSize();
    case ID_DECO_CENTRE:
      return editor_.HasOption(kDecoAllowCentre);
    default:
      return true;
  }
}

int CDecorateCommands::DetectUnlinkedAddresses(const std::function<void()>& show) {
  int start = 0;
  int count = editor_.Doc().GetLength();
  if (editor_.HasSelection()) {
    if (AskMessage(prompt_, IDS_DETECT_IN_SELECTION, PromptButtons::YesNo, {}, 1) !=
        PromptAnswer::Yes) {
      return 0;
    }
    start = editor_.SelectionStart();
    count = editor_.SelectionEnd() - start;
  }
  const std::vector<FoundAddress> found = FindUnlinkedAddresses(editor_.Doc(), start, count);
  if (found.empty()) {
    ShowMessage(prompt_, IDS_NO_UNLINKED_ADDRESS, {}, PromptIcon::Information);
    return -1;
  }
  int linked = 0;
  for (const FoundAddress& address : found) {
    editor_.SetSelection(address.start, address.end);
    if (show) show();
    switch (AskMessage(prompt_, IDS_LINK_UNLINKED_ADDRESS, PromptButtons::YesNoCancel)) {
      case PromptAnswer::Yes:
        editor_.ApplyDecoration(DECO_LINK, address.start, address.end, {0, address.link});
        ++linked;
        break;
      case PromptAnswer::No:
        break;
      default:
        return -2;
    }
  }
  return linked;
}

std::vector<int> CDecorateCommands::FindAll(const std::string& find, bool matchCase, int from,
                                            int limit) const {
  std::vector<int> matches;
  if (find.empty()) return matches;
  const std::string& text = editor_.Doc().Text();
  const std::size_t end = limit > 0 ? std::min<std::size_t>(limit, text.size()) : text.size();
  // Matches start on character boundaries only, and only single-byte letters ignore case: a
  // trail byte may look like a letter or like the text sought.
  auto matchesAt = [&](std::size_t pos) {
    for (std::size_t i = 0; i < find.size();) {
      const std::size_t width = CharWidthAt(text, pos + i);
      if (width != CharWidthAt(find, i)) return false;
      if (width == 2 || matchCase) {
        if (text.compare(pos + i, width, find, i, width) != 0) return false;
      } else if (ToLowerAscii(text[pos + i]) != ToLowerAscii(find[i])) {
        return false;
      }
      i += width;
    }
    return true;
  };
  for (std::size_t pos = 0; pos + find.size() <= end;) {
    if (static_cast<int>(pos) >= from && matchesAt(pos)) {
      matches.push_back(static_cast<int>(pos));
      pos += find.size();
    } else {
      pos += CharWidthAt(text, pos);
    }
  }
  return matches;
}

bool CDecorateCommands::FindNext(const std::string& find, bool matchCase, bool forward) {
  const std::vector<int> matches = FindAll(find, matchCase, 0, 0);
  const int length = static_cast<int>(find.size());
  const int after = editor_.HasSelection() ? editor_.SelectionStart() + 1 : editor_.Caret();
  const int before = editor_.HasSelection() ? editor_.SelectionStart() : editor_.Caret();
  std::optional<int> found;
  for (int match : matches) {
    if (forward && match >= after) {
      found = match;
      break;
    }
    if (!forward && match < before) found = match;
  }
  if (!found) return false;
  editor_.SetSelection(*found, *found + length);
  return true;
}

int CDecorateCommands::ReplaceAll(const std::string& find, const std::string& replace,
                                  bool matchCase, int from, int limit,
                                  const ReplaceConfirm& confirm) {
  int replaced = 0;
  int shift = 0;
  const int findLength = static_cast<int>(find.size());
  for (int match : FindAll(find, matchCase, from, limit)) {
    const int at = match + shift;
    editor_.SetSelection(at, at + findLength);
    if (confirm) {
      const PromptAnswer answer = confirm();
      if (answer == PromptAnswer::No) continue;
      if (answer != PromptAnswer::Yes) break;
    }
    if (replace.empty()) {
      editor_.DeleteSelection();
    } else {
      // The new words look like the ones they replace, as their first character was: they neither
      // lose a decoration that began with the match nor take on one that ended just before it.
      CDecorateCharRange style;
      editor_.Doc().GetStyleAt(at, style);
      editor_.EditPendingStyle() = style;
      editor_.InsertText(replace, kInsertTyped);
      // That style was for this one insert, not for what the seller types next.
      editor_.MoveCaret(editor_.Caret(), false);
    }
    shift += static_cast<int>(replace.size()) - findLength;
    ++replaced;
  }
  return replaced;
}

}  // namespace nuvo
