#include "core/decorate/DecorateEditDoc.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <memory>

#include "core/common/Encoding.h"
#include "core/html/CharClass.h"

namespace nuvo {
namespace {

// How many ranges ahead a walk over every range asks the memory for.
constexpr std::size_t kPrefetchAhead = 16;

const CDecorateCharRange& AsChar(const CDecorateRange& range) {
  return static_cast<const CDecorateCharRange&>(range);
}

const CDecorateParaRange& AsPara(const CDecorateRange& range) {
  return static_cast<const CDecorateParaRange&>(range);
}

// Link addresses compare ignoring the case of ASCII letters; a two-byte character compares
// exactly, since its trail byte may look like a letter.
bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size();) {
    std::size_t width = CharWidthAt(a, i);
    if (width == 2) {
      if (a.substr(i, 2) != b.substr(i, 2)) return false;
    } else if (ToLowerAscii(a[i]) != ToLowerAscii(b[i])) {
      return false;
    }
    i += width;
  }
  return true;
}

// Whether a range carrying exactly `flag` holds the value that AddDecoration is about to store.
bool HasSameValue(const CDecorateRange& range, std::uint32_t flag, const DecorateValue& value) {
  switch (flag) {
    case DECO_BOLD:
    case DECO_ITALIC:
    case DECO_UNDERLINE:
    case DECO_STRIKE:
      return true;
    case DECO_LINK:
      return EqualIgnoringCase(AsChar(range).Link(), value.text);
    case DECO_COLOR:
      return AsChar(range).Color() == static_cast<std::uint32_t>(value.number);
    case DECO_SIZE:
      return AsChar(range).Size() == value.number;
    case DECO_ALIGN:
      return AsPara(range).Alignment() == value.number;
    default:
      return false;
  }
}

void StoreValue(CDecorateRange& range, std::uint32_t flag, const DecorateValue& value) {
  switch (flag) {
    case DECO_LINK:
      static_cast<CDecorateCharRange&>(range).SetLink(value.text);
      break;
    case DECO_COLOR:
      static_cast<CDecorateCharRange&>(range).SetColor(static_cast<std::uint32_t>(value.number));
      break;
    case DECO_SIZE:
      static_cast<CDecorateCharRange&>(range).SetSize(value.number);
      break;
    case DECO_ALIGN:
      static_cast<CDecorateParaRange&>(range).SetAlignment(value.number);
      break;
    default:
      break;
  }
}

}  // namespace

bool CDecorateEditDoc::GetTextAt(int pos, std::string& out, int count, bool stopAtLineEnd,
                                 bool roundUp) const {
  if (pos < 0 || pos >= GetLength()) return false;
  const int rest = GetLength() - pos;
  if (count < 0 || count > rest) count = rest;
  if (stopAtLineEnd) {
    const std::size_t lineBreak = text_.find('\n', pos);
    if (lineBreak != std::string::npos) count = std::min(count, static_cast<int>(lineBreak) - pos);
    count = AdjustToCharBoundary(pos, count, roundUp);
  }
  out = text_.substr(pos, count);
  return true;
}

bool CDecorateEditDoc::IsLineBreakAt(int pos) const {
  return pos >= 0 && pos < GetLength() && text_[pos] == '\n';
}

int CDecorateEditDoc::AdjustToCharBoundary(int pos, int count, bool roundUp) const {
  if (pos < 0) return count;
  for (int i = pos; i - pos < count && i < GetLength();) {
    const int width = static_cast<int>(CharWidthAt(text_, i));
    if (width == 2 && i - pos == count - 1) return roundUp ? count + 1 : count - 1;
    i += width;
  }
  return count;
}

const CDecorateRange* CDecorateEditDoc::FirstAt(int pos, std::uint32_t flag) const {
  // Line flags live on line ranges only and character flags on character ranges only.
  Settle();
  const bool line = IsLineFlag(flag);
  for (const auto& range : ranges_) {
    if (range->IsParagraph() == line && range->HasFlag(flag) && range->Contains(pos)) {
      return range.get();
    }
  }
  return nullptr;
}

std::uint32_t CDecorateEditDoc::GetFlagsAt(int pos) const {
  Settle();
  std::uint32_t flags = 0;
  for (const auto& range : ranges_) {
    if (range->Contains(pos)) flags |= range->Flags();
  }
  return flags;
}

int CDecorateEditDoc::GetColorAt(int pos) const {
  const CDecorateRange* range = FirstAt(pos, DECO_COLOR);
  return range ? static_cast<int>(AsChar(*range).Color()) : -1;
}

int CDecorateEditDoc::GetSizeAt(int pos) const {
  const CDecorateRange* range = FirstAt(pos, DECO_SIZE);
  return range ? AsChar(*range).Size() : -1;
}

bool CDecorateEditDoc::GetLinkAt(int pos, std::string& out) const {
  const CDecorateRange* range = FirstAt(pos, DECO_LINK);
  if (range == nullptr) return false;
  out = AsChar(*range).Link();
  return true;
}

int CDecorateEditDoc::GetAlignmentAt(int pos) const {
  const CDecorateRange* range = FirstAt(pos, DECO_ALIGN);
  return range ? AsPara(*range).Alignment() : 0;
}

void CDecorateEditDoc::GetStyleAt(int pos, CDecorateCharRange& out) const {
  out.Reset();
  Settle();
  for (const auto& range : ranges_) {
    if (range->IsParagraph() || !range->Contains(pos)) continue;
    const CDecorateCharRange& style = AsChar(*range);
    out.AddFlag(style.Flags());
    if (style.HasFlag(DECO_COLOR)) out.SetColor(style.Color());
    if (style.HasFlag(DECO_SIZE)) out.SetSize(style.Size());
    if (style.HasFlag(DECO_LINK)) out.SetLink(style.Link());
  }
}

bool CDecorateEditDoc::HasOverlapping(int a, int b, std::uint32_t flag) const {
  Settle();
  return std::any_of(ranges_.begin(), ranges_.end(), [&](const auto& range) {
    return range->HasFlag(flag) && range->Overlaps(a, b);
  });
}

bool CDecorateEditDoc::IsAppliedToAll(int a, int b, std::uint32_t flag) const {
  Settle();
  for (const auto& range : ranges_) {
    if (range->HasFlag(flag) && range->Start() <= a && range->End() >= b) return true;
  }
  if (!HasOverlapping(a, b, flag)) return false;
  for (int pos = a; pos < b; ++pos) {
    if (!HasAttributeAt(pos, flag)) return false;
  }
  return true;
}

bool CDecorateEditDoc::CollectRanges(int a, int b, std::uint32_t flag,
                                     std::vector<DecorateSpan>& out) const {
  Settle();
  bool appended = false;
  for (auto it = ranges_.rbegin(); it != ranges_.rend(); ++it) {
    const CDecorateRange& range = **it;
    if (!range.HasFlag(flag) || !range.Overlaps(a, b)) continue;
    DecorateSpan span{std::max(range.Start(), a), std::min(range.End(), b), {}};
    if (range.IsParagraph()) {
      span.value.number = AsPara(range).Alignment();
    } else if (flag & DECO_SIZE) {
      span.value.number = AsChar(range).Size();
    } else if (flag & DECO_COLOR) {
      span.value.number = static_cast<int>(AsChar(range).Color());
    } else if (flag & DECO_LINK) {
      span.value.text = AsChar(range).Link();
    }
    out.push_back(std::move(span));
    appended = true;
  }
  return appended;
}

void CDecorateEditDoc::InsertText(int pos, std::string_view text, int overwrite, bool extendChar,
                                  bool shift, bool extendPara) {
  const int length = GetLength();
  if (pos < 0 || pos > length || text.empty()) return;
  if (text.size() > static_cast<std::size_t>(INT_MAX - length)) return;
  const int count = static_cast<int>(text.size());
  if (pos == length || overwrite == kDecorateInsert) {
    text_.insert(pos, text);
    if (ShiftsEveryBoundAfter(pos, extendChar, shift, extendPara)) {
      ShiftBoundsAfter(pos, count);
    } else {
      AdjustAfterInsert(pos, count, extendChar, shift, extendPara);
    }
    return;
  }
  // Overwriting stops at the line end: a line break is never overwritten.
  const std::size_t lineBreak = text_.find('\n', pos);
  const int lineRest =
      (lineBreak == std::string::npos ? length : static_cast<int>(lineBreak)) - pos;
  int replaced =
      AdjustToCharBoundary(pos, std::min(count, lineRest), overwrite == kDecorateOverwriteRoundUp);
  // A stray lead byte just before the break must not take the break with it.
  replaced = std::min(replaced, lineRest);
  // The new characters take over the decorations of the ones they replace.
  text_.replace(pos, replaced, text);
  if (replaced < count) {
    AdjustAfterInsert(pos + replaced, count - replaced, extendChar, shift, extendPara);
  } else if (replaced > count) {
    AdjustAfterDelete(pos + count, replaced - count);
  }
  SnapOutOfCharacters(pos, count);
}

void CDecorateEditDoc::SnapOutOfCharacters(int pos, int count) {
  Settle();
  std::vector<bool> inside(count, false);
  for (int i = pos; i < pos + count;) {
    const int width = static_cast<int>(CharWidthAt(text_, i));
    if (width == 2 && i + 1 < pos + count) inside[i + 1 - pos] = true;
    i += width;
  }
  auto snapped = [&](int bound) {
    return bound > pos && bound < pos + count && inside[bound - pos] ? bound + 1 : bound;
  };
  for (auto& range : ranges_) {
    range->SetStart(snapped(range->Start()));
    range->SetEnd(snapped(range->End()));
    if (range->IsEmpty()) range.reset();
  }
  std::erase(ranges_, nullptr);
}

void CDecorateEditDoc::AdjustAfterInsert(int pos, int count, bool extendChar, bool shift,
                                         bool extendPara) {
  if (!extendChar && !shift && !extendPara) return;
  Settle();
  const bool atLineStart = pos == 0 || text_[pos - 1] == '\n';
  const bool atTextEnd = pos >= 1 && GetLength() == pos + count;
  DecorateRangeList clones;
  bool emptied = false;
  const std::size_t total = ranges_.size();
  for (std::size_t i = 0; i < total; ++i) {
    // The ranges lie wherever they were made: asking for those a little ahead lets their reads
    // overlap instead of waiting for each in turn.
    if (i + kPrefetchAhead < total) __builtin_prefetch(ranges_[i + kPrefetchAhead].get(), 1);
    auto& slot = ranges_[i];
    CDecorateRange& range = *slot;
    const int start = range.Start();
    const int end = range.End();
    if (shift && start >= pos && !(atLineStart && start == pos)) {
      range.SetStart(start + count);
      range.SetEnd(end + count);
    } else if (range.Contains(pos) || (end == pos && (!atLineStart || atTextEnd))) {
      // Typed text continues a decoration that holds the caret or ends just before it on the
      // same line; a decoration that ended on the line before stops there.
      if (range.IsParagraph() ? extendPara : extendChar) {
        range.SetEnd(end + count);
      } else {
        range.SetEnd(pos);
        if (range.IsParagraph()) {
          SnapEnd(range);
        } else if (end > pos) {
          clones.push_back(range.Clone(pos + count, end + count));
        }
        if (range.IsEmpty()) {
          slot.reset();
          emptied = true;
        }
      }
    }
  }
  if (emptied) std::erase(ranges_, nullptr);
  AppendAtTail(clones);
}

void CDecorateEditDoc::AppendAtTail(DecorateRangeList& clones) {
  ranges_.insert(ranges_.end(), std::make_move_iterator(clones.begin()),
                 std::make_move_iterator(clones.end()));
  clones.clear();
}

void CDecorateEditDoc::DeleteText(int pos, int count, bool adjust) {
  if (pos < 0 || pos >= GetLength() || count <= 0) return;
  count = std::min(count, GetLength() - pos);
  const bool onlyPending = adjust && DeletesOnlyPendingText(pos, count);
  text_.erase(pos, count);
  if (onlyPending) {
    ShiftBoundsAfter(pos + count, -count);
  } else if (adjust) {
    AdjustAfterDelete(pos, count);
  }
}

bool CDecorateEditDoc::ShiftsEveryBoundAfter(int pos, bool extendChar, bool shift,
                                             bool extendPara) const {
  return extendChar && shift && extendPara && pos > 0 && text_[pos - 1] != '\n';
}

void CDecorateEditDoc::ShiftBoundsAfter(int pos, int count) {
  if (shiftBy_ == 0 || pos != shiftFrom_ + shiftBy_) {
    Settle();
    shiftFrom_ = pos;
  }
  shiftBy_ += count;
}

bool CDecorateEditDoc::DeletesOnlyPendingText(int pos, int count) const {
  return shiftBy_ > 0 && pos >= shiftFrom_ && pos + count == shiftFrom_ + shiftBy_;
}

void CDecorateEditDoc::Settle() const {
  if (shiftBy_ == 0) return;
  for (const auto& range : ranges_) {
    if (range->Start() >= shiftFrom_) range->SetStart(range->Start() + shiftBy_);
    if (range->End() >= shiftFrom_) range->SetEnd(range->End() + shiftBy_);
  }
  shiftBy_ = 0;
}

void CDecorateEditDoc::AdjustAfterDelete(int pos, int count) {
  Settle();
  const int after = pos + count;
  for (auto& slot : ranges_) {
    CDecorateRange& range = *slot;
    const int start = range.Start();
    const int end = range.End();
    bool startMoved = false;
    bool endMoved = false;
    if (start >= after) {
      range.SetStart(start - count);
      range.SetEnd(end - count);
      startMoved = true;
    } else if (pos <= start && end <= after) {
      range.Collapse();
    } else if (range.Contains(pos)) {
      range.SetEnd(end >= after ? end - count : pos);
      endMoved = true;
    } else if (range.Contains(after) && pos <= start) {
      range.SetStart(pos);
      range.SetEnd(pos + end - after);
      startMoved = true;
    }
    if (range.IsParagraph() && !range.IsEmpty()) {
      if (startMoved) SnapStart(range);
      if (endMoved) SnapEnd(range);
    }
    // A line range whose start snapped past its end has no line left either.
    if (range.Length() <= 0) slot.reset();
  }
  std::erase(ranges_, nullptr);
}

void CDecorateEditDoc::SnapStart(CDecorateRange& range) const {
  const int start = range.Start();
  if (start < 1 || start > GetLength() || text_[start - 1] == '\n') return;
  const std::size_t lineBreak = text_.find('\n', start);
  range.SetStart(lineBreak == std::string::npos ? GetLength() : static_cast<int>(lineBreak) + 1);
}

void CDecorateEditDoc::SnapEnd(CDecorateRange& range) const {
  const int end = range.End();
  if (range.IsEmpty() || end >= GetLength() || end < 1 || text_[end - 1] == '\n') return;
  const std::size_t lineBreak = text_.find('\n', end);
  range.SetEnd(lineBreak == std::string::npos ? GetLength() : static_cast<int>(lineBreak) + 1);
}

bool CDecorateEditDoc::AddDecoration(int start, int end, std::uint32_t flag,
                                     const DecorateValue& value) {
  if (start < 0 || end < 0 || end < start) return false;
  Settle();
  const bool line = IsLineFlag(flag);

  // Ranges of this one decoration that the new one covers are absorbed by it.
  std::erase_if(ranges_, [&](const auto& range) {
    return range->Flags() == flag && range->Start() >= start && range->End() <= end;
  });

  // A range over exactly the same bytes takes the flag, unless a range with the flag overlapping
  // the bytes comes first.
  CDecorateRange* target = nullptr;
  for (const auto& range : ranges_) {
    if (!range->IsValid() || range->IsParagraph() != line) continue;
    if (range->Start() == start && range->End() == end) {
      range->AddFlag(flag);
      target = range.get();
      break;
    }
    if (range->HasFlag(flag) && range->Overlaps(start, end)) break;
  }

  // A range of this decoration with the same value that touches the bytes grows over them, unless
  // one with another value overlapping them comes first.
  if (target == nullptr) {
    for (const auto& range : ranges_) {
      if (!range->IsValid() || range->IsParagraph() != line || range->Flags() != flag) continue;
      const bool sameValue = HasSameValue(*range, flag, value);
      if (sameValue && range->Touches(start, end)) {
        range->Extend(start, end);
        target = range.get();
        break;
      }
      if (!sameValue && range->Overlaps(start, end)) break;
    }
  }

  std::unique_ptr<CDecorateRange> created;
  if (target == nullptr) {
    if (line) {
      created = std::make_unique<CDecorateParaRange>(start, end, flag);
    } else {
      created = std::make_unique<CDecorateCharRange>(start, end, flag);
    }
    target = created.get();
  }
  StoreValue(*target, flag, value);
  if (created) ranges_.insert(ranges_.begin(), std::move(created));
  return true;
}

bool CDecorateEditDoc::RemoveDecoration(int a, int b, std::uint32_t flag) {
  if (a >= b) return false;
  Settle();
  bool changed = false;
  DecorateRangeList clones;
  for (auto& slot : ranges_) {
    CDecorateRange& range = *slot;
    if (!range.HasFlag(flag) || !range.Overlaps(a, b)) continue;
    changed = true;
    const int start = range.Start();
    const int end = range.End();
    // The part inside [a, b) keeps its other attributes.
    auto keepWithoutFlag = [&](int from, int to) {
      auto clone = range.Clone(from, to);
      clone->RemoveAttribute(flag);
      if (clone->Flags() != 0) clones.push_back(std::move(clone));
    };
    if (start >= a && end <= b) {
      range.RemoveAttribute(flag);
      if (range.Flags() == 0) slot.reset();
    } else if (start >= a) {
      keepWithoutFlag(start, b);
      range.SetStart(b);
    } else if (end <= b) {
      keepWithoutFlag(a, end);
      range.SetEnd(a);
    } else {
      clones.push_back(range.Clone(b, end));
      keepWithoutFlag(a, b);
      range.SetEnd(a);
    }
  }
  std::erase(ranges_, nullptr);
  AppendAtTail(clones);
  return changed;
}

bool CDecorateEditDoc::ClearDecorations(int a, int b) {
  if (a >= b) return false;
  Settle();
  bool changed = false;
  DecorateRangeList clones;
  for (auto& slot : ranges_) {
    CDecorateRange& range = *slot;
    if (range.IsParagraph() || !range.Overlaps(a, b)) continue;
    changed = true;
    const int start = range.Start();
    const int end = range.End();
    if (start >= a && end <= b) {
      slot.reset();
      continue;
    }
    if (start >= a) {
      range.SetStart(b);
    } else if (end <= b) {
      range.SetEnd(a);
    } else {
      clones.push_back(range.Clone(b, end));
      range.SetEnd(a);
    }
  }
  std::erase(ranges_, nullptr);
  AppendAtTail(clones);
  return changed;
}

void CDecorateEditDoc::GetHtml(std::string& out, int start, int count) const {
  out.clear();
  if (start == -1) start = 0;
  if (count == -1) count = GetLength() - start;
  if (count <= 0 || start < 0) return;
  Settle();
  const long long end = std::min<long long>(static_cast<long long>(start) + count, GetLength());
  converter_.WriteHtml(text_, ranges_, start, static_cast<int>(end), out);
}

bool CDecorateEditDoc::SetHtml(std::string_view html) {
  DeleteContents();
  return converter_.ReadHtml(html, text_, ranges_);
}

void CDecorateEditDoc::DeleteContents() {
  text_.clear();
  ranges_.clear();
  shiftBy_ = 0;
}

}  // namespace nuvo
