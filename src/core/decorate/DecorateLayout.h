#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/decorate/DecorateEditDoc.h"
#include "core/decorate/DecorateStateSweep.h"

// The decorated text cut into display lines for a given width: each logical line (up to a line
// break) is cut between any two characters where the next one would pass the right edge, each
// character measured in its own size, boldness and slant. Lines keep their own height, so a large
// word makes its line taller; centred lines know their width to be placed in the middle. After an
// edit only the logical lines it touched are measured again and the lines after it are moved.
// Holds links to the document and the measuring object, which outlive it.
namespace nuvo {

// Measures characters for the layout; the shell answers with its fonts, tests with fixed numbers.
class IDecorateMeasure {
 public:
  virtual ~IDecorateMeasure() = default;
  // The advance of one character (one or two bytes of code page 932) at `size` tenths of a point,
  // with the DECO_BOLD and DECO_ITALIC bits of `flags`.
  virtual int CharWidth(std::string_view character, int size, std::uint32_t flags) = 0;
  virtual int Ascent(int size) = 0;
  virtual int Descent(int size) = 0;
};

struct DisplayLine {
  int start = 0;           // first byte
  int end = 0;             // one past the last byte drawn, before any line break
  bool lineBreak = false;  // a line break follows at `end`
  int y = 0;
  int ascent = 0;
  int height = 0;
  int width = 0;
  bool centred = false;

  int Next() const { return lineBreak ? end + 1 : end; }
};

// The decoration at positions of a short stretch of text, found from the few ranges that overlap
// it: cheaper than a walk of the whole list per character, and than sorting the whole list.
class CDecorateLocalStyle {
 public:
  CDecorateLocalStyle(const DecorateRangeList& ranges, int start, int end);
  // The flags, size, colour and link at `pos`, as the document's queries give them.
  DecorateState At(int pos) const;

 private:
  std::vector<const CDecorateRange*> ranges_;  // head first
};

class CDecorateLayout {
 public:
  CDecorateLayout(const CDecorateEditDoc& doc, IDecorateMeasure& measure);

  // The width available to the text; lays everything out again when it changes.
  void SetWidth(int width);
  int Width() const { return width_; }
  void LayoutAll();
  // `removed` bytes at `pos` were replaced by `inserted` bytes (the document already changed).
  void TextReplaced(int pos, int removed, int inserted);
  // The decorations of [start, end) changed in a way that may move characters.
  void Relayout(int start, int end);

  int LineCount() const { return static_cast<int>(lines_.size()); }
  const DisplayLine& Line(int index) const { return lines_[static_cast<std::size_t>(index)]; }
  int Height() const;
  // The display line that holds the caret at `pos`: where a line is cut without a break, its end
  // belongs to the next line.
  int LineOf(int pos) const;
  // The display line at height `y`, clamped to the first and the last.
  int LineAtY(int y) const;
  // The left edge of the line, moved into the middle when it is centred.
  int LineLeft(int line) const;
  // The x of the caret before the byte `pos` of `line`.
  int XOf(int line, int pos) const;
  // The byte position in `line` nearest to `x`.
  int PosAt(int line, int x) const;

 private:
  // Lays out the logical lines from the one holding `from` up to the one ending at or after `to`,
  // in place of their old display lines, and moves the lines after them by `delta` bytes.
  void Relayout(int from, int to, int delta);
  int LogicalStart(int pos) const;
  // The position of the line break ending the logical line at `pos`, or the text length.
  int LogicalEnd(int pos) const;
  void LayoutLogicalLine(int start, int end, std::vector<DisplayLine>& out);
  void PlaceFrom(std::size_t index);
  int WidthOf(const DecorateState& state, std::string_view character) const;

  const CDecorateEditDoc& doc_;
  IDecorateMeasure& measure_;
  int width_ = 0;
  std::vector<DisplayLine> lines_;
};

}  // namespace nuvo
