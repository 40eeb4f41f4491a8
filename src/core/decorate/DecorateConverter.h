#pragma once

#include <string>
#include <string_view>

#include "core/decorate/DecorateRange.h"

// The converter of the decorated-text document: holds the base font size (tenths of a point),
// converts between sizes and the seven levels of the HTML font tag, and converts between a text
// with its decorated ranges and the HTML fragment that stores them.
namespace nuvo {

// The base size the description editor works at, and that stored fragments are read with.
inline constexpr int kEditorBaseSize = 90;

class CDecorateConverter {
 public:
  // Whether the base size changed. Sizes already stored are not rescaled.
  bool SetBaseSize(int size);
  int GetBaseSize() const { return baseSize_; }
  // The size of a level 1-7 (clamped), moved by the base size when one is set.
  int LevelToSize(int level) const;
  // The level whose size is exactly `size`; 3 (the standard level) for any other size.
  int SizeToLevel(int size) const;

  // Writes the fragment of the bytes [start, end) of `text` (end clamped to the text) into `out`.
  void WriteHtml(std::string_view text, const DecorateRangeList& ranges, int start, int end,
                 std::string& out) const;
  // Reads a fragment, appending its text to `text` and its ranges at the tail of `ranges`.
  // Whatever is not understood is dropped; the result says whether everything was understood.
  bool ReadHtml(std::string_view html, std::string& text, DecorateRangeList& ranges) const;
  // Rewrites `html` in the writer's own form when the reader understands all of it, and leaves
  // it as it stands otherwise; returns whether it was understood.
  bool Normalize(std::string& html) const;
  // Where the byte at `offset` of a fragment stands in the text the fragment reads as, so that a
  // character found in stored markup can be selected in the editor; -1 inside a tag or entity.
  int TextOffsetOf(std::string_view html, std::size_t offset) const;

 private:
  int baseSize_ = 0;
};

}  // namespace nuvo
