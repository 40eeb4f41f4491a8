#pragma once

#include <string>
#include <string_view>

#include "core/decorate/DecorateConverter.h"
#include "core/decorate/DecorateRange.h"

// Writes the HTML fragment of a part of a decorated text. Tags nest centre, link, font, b, i, u,
// s from the outside in; a tag stays open as long as its decoration goes on, across line breaks,
// and closing one closes every tag inside it, so tags opened later may cross. Holds links to the
// converter, the text and the ranges, which the caller keeps.
namespace nuvo {

class CDecorateHtmlWriter {
 public:
  CDecorateHtmlWriter(const CDecorateConverter& converter, std::string_view text,
                      const DecorateRangeList& ranges)
      : converter_(converter), text_(text), ranges_(ranges) {}

  // The fragment of the bytes [start, end); `out` is emptied first.
  void Write(int start, int end, std::string& out);

 private:
  void FlushText();

  const CDecorateConverter& converter_;
  std::string_view text_;
  const DecorateRangeList& ranges_;
  std::string* out_ = nullptr;
  std::string pending_;  // text not yet escaped and written
};

}  // namespace nuvo
