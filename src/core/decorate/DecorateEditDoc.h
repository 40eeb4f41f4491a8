#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/decorate/DecorateConverter.h"
#include "core/decorate/DecorateRange.h"

// The document of the decorated-text editor: one plain text in code page 932 and the list of
// decorated ranges laid over it, with the converter that turns both into an HTML fragment and
// back. It owns the text, every range in its list and the converter. Every change of the text goes
// with the adjustment of the ranges, so that the ranges stay valid, non-empty, on character
// boundaries, and line ranges stay on whole lines.
//
// Typing at one caret moves every range bound after the caret by the same amount, so the document
// does not walk its ranges on each keystroke: it keeps that amount as a pending shift of every
// bound stored at or after one position, and writes it into the ranges only when an edit elsewhere,
// a decoration or a reader needs them as they stand. A keystroke in the middle of a line then costs
// the same whatever the number of ranges.
namespace nuvo {

// The value a decoration carries: a number (colour, size, alignment) or a link address.
struct DecorateValue {
  int number = 0;
  std::string text;
};

// One range reported by CollectRanges: its bounds clipped to the asked part, and its value.
struct DecorateSpan {
  int start = 0;
  int end = 0;
  DecorateValue value;
};

// How InsertText treats the characters under the insertion point.
enum DecorateOverwrite : int {
  kDecorateInsert = 0,
  kDecorateOverwriteRoundUp = 1,    // an overwritten two-byte character is taken whole
  kDecorateOverwriteRoundDown = 2,  // a two-byte character cut by the count is left
};

class CDecorateEditDoc {
 public:
  // Text access.
  std::string GetText() const { return text_; }
  const std::string& Text() const { return text_; }
  int GetLength() const { return static_cast<int>(text_.size()); }
  bool GetTextAt(int pos, std::string& out, int count, bool stopAtLineEnd, bool roundUp) const;
  bool IsLineBreakAt(int pos) const;
  // `count` bytes from `pos`, moved so that it does not end inside a two-byte character.
  int AdjustToCharBoundary(int pos, int count, bool roundUp) const;

  // Attribute queries at a byte position.
  std::uint32_t GetFlagsAt(int pos) const;
  std::uint32_t HasAttributeAt(int pos, std::uint32_t mask) const { return GetFlagsAt(pos) & mask; }
  int GetColorAt(int pos) const;
  int GetSizeAt(int pos) const;
  bool GetLinkAt(int pos, std::string& out) const;
  int GetAlignmentAt(int pos) const;
  void GetStyleAt(int pos, CDecorateCharRange& out) const;
  bool HasOverlapping(int a, int b, std::uint32_t flag) const;
  bool IsAppliedToAll(int a, int b, std::uint32_t flag) const;
  bool CollectRanges(int a, int b, std::uint32_t flag, std::vector<DecorateSpan>& out) const;

  // Changes.
  void InsertText(int pos, std::string_view text, int overwrite, bool extendChar, bool shift,
                  bool extendPara);
  void DeleteText(int pos, int count, bool adjust);
  bool AddDecoration(int start, int end, std::uint32_t flag, const DecorateValue& value = {});
  bool RemoveDecoration(int a, int b, std::uint32_t flag);
  bool ClearDecorations(int a, int b);
  void DeleteContents();

  // The HTML fragment of `count` bytes from `start` (-1: from the start, to the end).
  void GetHtml(std::string& out, int start = -1, int count = -1) const;
  // Replaces text and ranges with those of a fragment; true when every tag was understood.
  bool SetHtml(std::string_view html);

  // Size levels of the HTML font tag, through the converter's base size.
  bool SetBaseSize(int size) { return converter_.SetBaseSize(size); }
  int GetBaseSize() const { return converter_.GetBaseSize(); }
  int LevelToSize(int level) const { return converter_.LevelToSize(level); }
  int SizeToLevel(int size) const { return converter_.SizeToLevel(size); }

  // The ranges with every pending shift written into them.
  const DecorateRangeList& Ranges() const {
    Settle();
    return ranges_;
  }
  const CDecorateConverter& Converter() const { return converter_; }

 private:
  // Whether the ranges move after an insert at `pos` the way a pending shift moves them: every
  // bound at or after `pos` goes with the text. Not so at a line start, where a decoration ending
  // on the line before stops and a line range starting there stays.
  bool ShiftsEveryBoundAfter(int pos, bool extendChar, bool shift, bool extendPara) const;
  // Moves every bound at or after `pos` by `count` (negative for a delete) through the pending
  // shift; settles the one pending elsewhere first.
  void ShiftBoundsAfter(int pos, int count);
  // Whether deleting `count` bytes before the end of the pending shift takes only text typed since
  // it began. No bound lies in that text, and none of a line range at its end, since the shift
  // only begins away from a line start: the delete then only moves the bounds after it.
  bool DeletesOnlyPendingText(int pos, int count) const;
  // Writes the pending shift into the ranges. It changes how the positions are stored, never what
  // they are, so readers may settle too.
  void Settle() const;
  void AdjustAfterInsert(int pos, int count, bool extendChar, bool shift, bool extendPara);
  void AdjustAfterDelete(int pos, int count);
  // After an overwrite that replaced characters of another width: moves every range bound that
  // now falls inside a two-byte character of the new text to that character's end.
  void SnapOutOfCharacters(int pos, int count);
  // Moves the ranges split off during a walk to the tail of the list.
  void AppendAtTail(DecorateRangeList& clones);
  void SnapStart(CDecorateRange& range) const;
  void SnapEnd(CDecorateRange& range) const;
  // The first range from the head that contains `pos` and has `flag`; null if none.
  const CDecorateRange* FirstAt(int pos, std::uint32_t flag) const;

  std::string text_;
  DecorateRangeList ranges_;
  // Every bound stored at or after shiftFrom_ stands shiftBy_ bytes further on. No bound lies in
  // [shiftFrom_, shiftFrom_ + shiftBy_): those are the bytes typed since the shift began, and their
  // end is the caret where typing goes on without settling.
  mutable int shiftFrom_ = 0;
  mutable int shiftBy_ = 0;
  CDecorateConverter converter_;
};

}  // namespace nuvo
