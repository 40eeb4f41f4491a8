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
    const Event& event = events_[next_];
    if (event.opens) {
      active_.emplace(event.order, event.range);
    } else {
      active_.erase(event.order);
    }
    changed = true;
  }
  if (changed) Recompute();
  return state_;
}

void CDecorateStateSweep::Recompute() {
  state_ = DecorateState();
  bool haveSize = false;
  bool haveColor = false;
  bool haveLink = false;
  bool haveAlignment = false;
  for (const auto& [order, range] : active_) {
    state_.flags |= range->Flags();
    if (range->IsParagraph()) {
      if (!haveAlignment && range->HasFlag(DECO_ALIGN)) {
        state_.alignment = static_cast<const CDecorateParaRange*>(range)->Alignment();
        haveAlignment = true;
      }
      continue;
    }
    const auto* chars = static_cast<const CDecorateCharRange*>(range);
    if (!haveSize && chars->HasFlag(DECO_SIZE)) {
      state_.size = chars->Size();
      haveSize = true;
    }
    if (!haveColor && chars->HasFlag(DECO_COLOR)) {
      state_.color = static_cast<int>(chars->Color());
      haveColor = true;
    }
    if (!haveLink && chars->HasFlag(DECO_LINK)) {
      state_.link = chars->Link();
      haveLink = true;
    }
  }
}

}  // namespace nuvo
