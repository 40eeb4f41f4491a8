#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/decorate/DecorateConverter.h"
#include "core/decorate/DecorateRange.h"

// Reads an HTML fragment of decorated text: the writer's tags and a few close relatives. A start
// tag opens a range at the current text position and an end tag closes the latest open range with
// its attribute, so crossed tags read back as they were meant. Everything else is dropped and
// makes the result false. Holds links to the converter and to the text and list it fills.
namespace nuvo {

class CDecorateHtmlReader {
 public:
  CDecorateHtmlReader(const CDecorateConverter& converter, std::string& text,
                      DecorateRangeList& ranges)
      : converter_(converter), text_(text), ranges_(ranges) {}

  // Appends the fragment's text and ranges; true when every tag was understood.
  bool Read(std::string_view html);

 private:
  // The fragment with line breaks and entities decoded; `literal` marks the bytes that came from
  // an entity, which are text even where they look like "<" or ">".
  struct Prepared {
    std::string bytes;
    std::vector<bool> literal;
  };
  static Prepared Prepare(std::string_view html);
  void StartTag(const std::string& tag, int pos);
  void EndTag(const std::string& tag, int pos);
  void MergeEqualRanges();
  void OpenRange(CDecorateRange* range);

  const CDecorateConverter& converter_;
  std::string& text_;
  DecorateRangeList& ranges_;
  bool ok_ = true;
  // The open ranges by attribute bit, latest last, each with its place among the ranges, so that
  // an end tag finds its range without a search back through the whole list. Closed ranges are
  // dropped from a stack once they reach its top.
  struct OpenEntry {
    std::size_t order;
    CDecorateRange* range;
  };
  std::array<std::vector<OpenEntry>, 32> openByBit_;
  std::size_t opened_ = 0;
};

}  // namespace nuvo
