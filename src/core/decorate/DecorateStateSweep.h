#pragma once

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
  void Recompute();

  std::vector<Event> events_;
  std::size_t next_ = 0;
  std::map<int, const CDecorateRange*> active_;  // the ranges holding the position, head first
  DecorateState state_;
};

}  // namespace nuvo
