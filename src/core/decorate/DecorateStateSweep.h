#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/decorate/DecorateRange.h"

// The decoration in force at each position of a decorated text, exactly as the document's
// attribute queries give it (flags of every range holding the position; colour, size, link and
// alignment from the range nearest the head), found in one sweep over increasing positions
// instead of a walk of the whole list per position. Holds links to the ranges, which the caller
// keeps unchanged while sweeping.
namespace nuvo {

struct DecorateState {
  std::uint32_t flags = 0;
  int size = -1;
  int color = -1;
  std::string link;  // empty without DECO_LINK
  // Changes whenever `link` is given another text, so that a caller can tell a new address
  // from the same one without comparing their texts.
  std::uint64_t linkSerial = 0;
  int alignment = 0;
};

class CDecorateStateSweep {
 public:
  explicit CDecorateStateSweep(const DecorateRangeList& ranges);

  // The state at `pos`; positions are asked in increasing order.
  const DecorateState& At(int pos);

 private:
  struct Event {
    int pos;
    bool opens;
    int order;  // place in the list, 0 at the head
    const CDecorateRange* range;
  };
  void Apply(const Event& event);
  void Recompute();

  std::vector<Event> events_;
  std::size_t next_ = 0;
  // What the ranges holding the position add up to, kept as they open and close so that a
  // position costs the same however many ranges hold it: how many hold each flag bit, and by
  // place in the list (head first) those that set each value.
  std::array<int, 32> bitCounts_{};
  std::map<int, const CDecorateCharRange*> sizes_;
  std::map<int, const CDecorateCharRange*> colors_;
  std::map<int, const CDecorateCharRange*> links_;
  std::map<int, const CDecorateParaRange*> alignments_;
  const CDecorateCharRange* linkFrom_ = nullptr;  // the range state_.link was copied from
  DecorateState state_;
};

}  // namespace nuvo
