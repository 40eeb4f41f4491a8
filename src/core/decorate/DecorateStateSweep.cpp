#include "core/decorate/DecorateStateSweep.h"

#include <algorithm>

namespace nuvo {

CDecorateStateSweep::CDecorateStateSweep(const DecorateRangeList& ranges) {
  int order = 0;
  for (const auto& range : ranges) {
    // A range holds the positions start <= pos < end; an open or empty one holds none.
    const int start = std::max(range->Start(), 0);
    if (range->End() > start) {
      events_.push_back({start, true, order, range.get()});
      events_.push_back({range->End(), false, order, range.get()});
    }
    ++order;
  }
  std::stable_sort(events_.begin(), events_.end(),
                   [](const Event& a, const Event& b) { return a.pos < b.pos; });
}

const DecorateState& CDecorateStateSweep::At(int pos) {
  bool changed = false;
  for (; next_ < events_.size() && events_[next_].pos <= pos; ++next_) {
    Apply(events_[next_]);
    changed = true;
  }
  if (changed) Recompute();
  return state_;
}

namespace {

template <typename Range>
void Track(std::map<int, const Range*>& held, bool opens, int order, const Range* range) {
  if (opens) {
    held.emplace(order, range);
  } else {
    held.erase(order);
  }
}

}  // namespace

void CDecorateStateSweep::Apply(const Event& event) {
  const CDecorateRange& range = *event.range;
  const int step = event.opens ? 1 : -1;
  for (std::size_t bit = 0; bit < bitCounts_.size(); ++bit) {
    if (range.HasFlag(std::uint32_t{1} << bit)) bitCounts_[bit] += step;
  }
  if (range.IsParagraph()) {
    if (range.HasFlag(DECO_ALIGN)) {
      Track(alignments_, event.opens, event.order, static_cast<const CDecorateParaRange*>(&range));
    }
    return;
  }
  const auto* chars = static_cast<const CDecorateCharRange*>(&range);
  if (chars->HasFlag(DECO_SIZE)) Track(sizes_, event.opens, event.order, chars);
  if (chars->HasFlag(DECO_COLOR)) Track(colors_, event.opens, event.order, chars);
  if (chars->HasFlag(DECO_LINK)) Track(links_, event.opens, event.order, chars);
}

void CDecorateStateSweep::Recompute() {
  state_.flags = 0;
  for (std::size_t bit = 0; bit < bitCounts_.size(); ++bit) {
    if (bitCounts_[bit] > 0) state_.flags |= std::uint32_t{1} << bit;
  }
  state_.size = sizes_.empty() ? -1 : sizes_.begin()->second->Size();
  state_.color = colors_.empty() ? -1 : static_cast<int>(colors_.begin()->second->Color());
  state_.alignment = alignments_.empty() ? 0 : alignments_.begin()->second->Alignment();
  // A long address is copied once for the stretch it covers, not at every change inside it.
  const CDecorateCharRange* link = links_.empty() ? nullptr : links_.begin()->second;
  if (link != linkFrom_) {
    state_.link = link ? link->Link() : std::string();
    ++state_.linkSerial;
    linkFrom_ = link;
  }
}

}  // namespace nuvo
