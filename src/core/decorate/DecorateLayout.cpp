#include "core/decorate/DecorateLayout.h"

#include <algorithm>

#include "core/common/Encoding.h"

namespace nuvo {

CDecorateLocalStyle::CDecorateLocalStyle(const DecorateRangeList& ranges, int start, int end) {
  for (const auto& range : ranges) {
    if (range->IsValid() && range->Start() <= end && range->End() > start) {
      ranges_.push_back(range.get());
    }
  }
}

DecorateState CDecorateLocalStyle::At(int pos) const {
  DecorateState state;
  for (const CDecorateRange* range : ranges_) {
    if (!range->Contains(pos)) continue;
    state.flags |= range->Flags();
    if (range->IsParagraph()) {
      if (state.alignment == 0 && range->HasFlag(DECO_ALIGN)) {
        state.alignment = static_cast<const CDecorateParaRange*>(range)->Alignment();
      }
      continue;
    }
    const auto* chars = static_cast<const CDecorateCharRange*>(range);
    if (state.size < 0 && chars->HasFlag(DECO_SIZE)) state.size = chars->Size();
    if (state.color < 0 && chars->HasFlag(DECO_COLOR))
      state.color = static_cast<int>(chars->Color());
    if (state.link.empty() && chars->HasFlag(DECO_LINK)) state.link = chars->Link();
  }
  return state;
}

CDecorateLayout::CDecorateLayout(const CDecorateEditDoc& doc, IDecorateMeasure& measure)
    : doc_(doc), measure_(measure) {
  LayoutAll();
}

void CDecorateLayout::SetWidth(int width) {
  if (width == width_) return;
  width_ = width;
  LayoutAll();
}

void CDecorateLayout::LayoutAll() {
  lines_.clear();
  Relayout(0, doc_.GetLength(), 0);
}

void CDecorateLayout::TextReplaced(int pos, int removed, int inserted) {
  Relayout(pos, pos + inserted, inserted - removed);
}

void CDecorateLayout::Relayout(int start, int end) {
  Relayout(std::clamp(start, 0, doc_.GetLength()), std::clamp(end, 0, doc_.GetLength()), 0);
}

int CDecorateLayout::LogicalStart(int pos) const {
  if (pos <= 0) return 0;
  const std::size_t lineBreak = doc_.Text().rfind('\n', static_cast<std::size_t>(pos - 1));
  return lineBreak == std::string::npos ? 0 : static_cast<int>(lineBreak) + 1;
}

int CDecorateLayout::LogicalEnd(int pos) const {
  const std::size_t lineBreak = doc_.Text().find('\n', static_cast<std::size_t>(pos));
  return lineBreak == std::string::npos ? doc_.GetLength() : static_cast<int>(lineBreak);
}

void CDecorateLayout::Relayout(int from, int to, int delta) {
  const int first = LogicalStart(from);
  int last = LogicalEnd(std::max(from, to));
  // An edit may have snapped a centred range onto the lines after it.
  for (const auto& range : doc_.Ranges()) {
    if (range->IsParagraph() && range->IsValid() && range->Touches(first, last)) {
      last = std::max(last, LogicalEnd(std::max(range->End() - 1, 0)));
    }
  }
  const bool toTextEnd = last == doc_.GetLength();
  // The old lines of the same logical lines: those starting up to the old place of `last`.
  const auto begin =
      std::lower_bound(lines_.begin(), lines_.end(), first,
                       [](const DisplayLine& line, int pos) { return line.start < pos; });
  const auto stop =
      toTextEnd
          ? lines_.end()
          : std::upper_bound(begin, lines_.end(), last - delta,
                             [](int pos, const DisplayLine& line) { return pos < line.start; });
  std::vector<DisplayLine> fresh;
  for (int start = first;;) {
    const int end = LogicalEnd(start);
    LayoutLogicalLine(start, end, fresh);
    if (end >= last) break;
    start = end + 1;
  }
  const std::size_t index = static_cast<std::size_t>(begin - lines_.begin());
  const auto after = lines_.erase(begin, stop);
  for (auto it = after; it != lines_.end(); ++it) {
    it->start += delta;
    it->end += delta;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), fresh.begin(), fresh.end());
  // Centring moves no character to another line, so the lines after whose centring an edit
  // ended only change their flag.
  for (std::size_t i = index + fresh.size(); i < lines_.size();) {
    const int start = lines_[i].start;
    const bool centred = doc_.GetAlignmentAt(start) == kAlignCentre;
    if (centred == lines_[i].centred) break;
    for (; i < lines_.size() && (lines_[i].start == start || !lines_[i - 1].lineBreak); ++i) {
      lines_[i].centred = centred;
    }
  }
  PlaceFrom(index);
}

int CDecorateLayout::WidthOf(const DecorateState& state, std::string_view character) const {
  const int size = state.size > 0 ? state.size : doc_.GetBaseSize();
  return measure_.CharWidth(character, size, state.flags & (DECO_BOLD | DECO_ITALIC));
}

void CDecorateLayout::LayoutLogicalLine(int start, int end, std::vector<DisplayLine>& out) {
  const std::string& text = doc_.Text();
  const CDecorateLocalStyle style(doc_.Ranges(), start, end + 1);
  const bool centred = style.At(start).alignment == kAlignCentre;
  DisplayLine line{start, start, false, 0, 0, 0, 0, centred};
  int ascent = 0;
  int descent = 0;
  auto finish = [&](bool lineBreak) {
    if (line.end == line.start) {
      // An empty line is as high as the text typed into it would be.
      const int size = style.At(start).size;
      const int empty = size > 0 ? size : doc_.GetBaseSize();
      ascent = measure_.Ascent(empty);
      descent = measure_.Descent(empty);
    }
    line.lineBreak = lineBreak;
    line.ascent = ascent;
    line.height = ascent + descent;
    out.push_back(line);
  };
  for (int pos = start; pos < end;) {
    const int width = static_cast<int>(CharWidthAt(text, static_cast<std::size_t>(pos)));
    const DecorateState state = style.At(pos);
    const int advance = WidthOf(state, std::string_view(text).substr(pos, width));
    if (width_ > 0 && line.end > line.start && line.width + advance > width_) {
      finish(false);
      line = {pos, pos, false, 0, 0, 0, 0, centred};
      ascent = descent = 0;
    }
    const int size = state.size > 0 ? state.size : doc_.GetBaseSize();
    ascent = std::max(ascent, measure_.Ascent(size));
    descent = std::max(descent, measure_.Descent(size));
    line.width += advance;
    line.end = pos + width;
    pos += width;
  }
  finish(end < doc_.GetLength());
}

void CDecorateLayout::PlaceFrom(std::size_t index) {
  int y = index == 0 ? 0 : lines_[index - 1].y + lines_[index - 1].height;
  for (std::size_t i = index; i < lines_.size(); ++i) {
    lines_[i].y = y;
    y += lines_[i].height;
  }
}

int CDecorateLayout::Height() const {
  return lines_.empty() ? 0 : lines_.back().y + lines_.back().height;
}

int CDecorateLayout::LineOf(int pos) const {
  const auto it = std::upper_bound(lines_.begin(), lines_.end(), pos,
                                   [](int p, const DisplayLine& line) { return p < line.start; });
  return std::max(0, static_cast<int>(it - lines_.begin()) - 1);
}

int CDecorateLayout::LineAtY(int y) const {
  const auto it = std::upper_bound(lines_.begin(), lines_.end(), y,
                                   [](int v, const DisplayLine& line) { return v < line.y; });
  return std::clamp(static_cast<int>(it - lines_.begin()) - 1, 0, LineCount() - 1);
}

int CDecorateLayout::LineLeft(int line) const {
  const DisplayLine& l = Line(line);
  return l.centred && width_ > l.width ? (width_ - l.width) / 2 : 0;
}

int CDecorateLayout::XOf(int line, int pos) const {
  const DisplayLine& l = Line(line);
  const std::string& text = doc_.Text();
  const CDecorateLocalStyle style(doc_.Ranges(), l.start, l.end);
  int x = LineLeft(line);
  for (int at = l.start; at < std::min(pos, l.end);) {
    const int width = static_cast<int>(CharWidthAt(text, static_cast<std::size_t>(at)));
    x += WidthOf(style.At(at), std::string_view(text).substr(at, width));
    at += width;
  }
  return x;
}

int CDecorateLayout::PosAt(int line, int x) const {
  const DisplayLine& l = Line(line);
  const std::string& text = doc_.Text();
  const CDecorateLocalStyle style(doc_.Ranges(), l.start, l.end);
  int left = LineLeft(line);
  for (int at = l.start; at < l.end;) {
    const int width = static_cast<int>(CharWidthAt(text, static_cast<std::size_t>(at)));
    const int advance = WidthOf(style.At(at), std::string_view(text).substr(at, width));
    if (x < left + advance / 2) return at;
    left += advance;
    at += width;
  }
  return l.end;
}

}  // namespace nuvo
