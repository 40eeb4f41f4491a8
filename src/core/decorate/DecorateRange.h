#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The decorated ranges of the decorated-text model: byte ranges of the text with attribute flags
// and the values that go with them. Character ranges carry bold, italic, underline, strike-through,
// colour, size and link; line ranges carry the alignment (centring) of whole lines.
namespace nuvo {

// Character attributes live in the low 16 bits, line attributes in the high 16 bits.
inline constexpr std::uint32_t DECO_BOLD = 0x1;
inline constexpr std::uint32_t DECO_ITALIC = 0x2;
inline constexpr std::uint32_t DECO_UNDERLINE = 0x4;
inline constexpr std::uint32_t DECO_STRIKE = 0x8;
inline constexpr std::uint32_t DECO_COLOR = 0x10;
inline constexpr std::uint32_t DECO_SIZE = 0x20;
inline constexpr std::uint32_t DECO_LINK = 0x40;
inline constexpr std::uint32_t DECO_ALIGN = 0x10000;
inline constexpr std::uint32_t DECO_LINE_MASK = 0xFFFF0000;

// The alignment value that centres lines.
inline constexpr int kAlignCentre = 2;

constexpr bool IsLineFlag(std::uint32_t flag) { return (flag & DECO_LINE_MASK) != 0; }

// A range [start, end) of the text with a set of flags. start is -1 while unset; end is -1 while
// the range is still open (only while HTML is being read).
class CDecorateRange {
 public:
  virtual ~CDecorateRange() = default;

  virtual void Reset();
  // Clears `flag` and the value that belongs to it.
  virtual void RemoveAttribute(std::uint32_t flag);
  // Takes over the other's flags, and each of its values that this range does not have yet.
  // Only between ranges of the same kind.
  virtual void MergeFrom(const CDecorateRange& other);
  virtual std::unique_ptr<CDecorateRange> Clone(int start, int end) const = 0;
  virtual bool IsParagraph() const = 0;

  bool IsValid() const { return start_ >= 0 && end_ >= 0 && flags_ != 0; }
  bool HasFlag(std::uint32_t mask) const { return (flags_ & mask) != 0; }
  void AddFlag(std::uint32_t flag) { flags_ |= flag; }
  bool Contains(int pos) const { return start_ <= pos && pos < end_; }
  bool Overlaps(int a, int b) const { return a <= b && start_ < b && end_ > a; }
  bool Touches(int a, int b) const { return a <= b && start_ <= b && end_ >= a; }
  void Extend(int a, int b);
  int Length() const { return end_ - start_; }
  bool IsEmpty() const { return Length() == 0; }
  void Collapse() { end_ = start_; }

  int Start() const { return start_; }
  int End() const { return end_; }
  std::uint32_t Flags() const { return flags_; }
  void SetStart(int start) { start_ = start; }
  void SetEnd(int end) { end_ = end; }

 protected:
  CDecorateRange() = default;
  CDecorateRange(const CDecorateRange&) = default;
  CDecorateRange& operator=(const CDecorateRange&) = default;

  int start_ = -1;
  int end_ = -1;
  std::uint32_t flags_ = 0;
};

// A character range: bold, italic, underline, strike-through, and the valued colour (0x00BBGGRR),
// size (tenths of a point) and link address (as it stands in the href).
class CDecorateCharRange : public CDecorateRange {
 public:
  CDecorateCharRange() = default;
  CDecorateCharRange(int start, int end, std::uint32_t flags = 0);

  void Reset() override;
  void RemoveAttribute(std::uint32_t flag) override;
  void MergeFrom(const CDecorateRange& other) override;
  std::unique_ptr<CDecorateRange> Clone(int start, int end) const override;
  bool IsParagraph() const override { return false; }

  std::uint32_t Color() const { return color_; }
  int Size() const { return size_; }
  const std::string& Link() const { return link_; }
  void SetColor(std::uint32_t color);
  void SetSize(int size);
  void SetLink(std::string link);

 private:
  std::uint32_t color_ = 0;
  int size_ = 0;
  std::string link_;
};

// A line range: the alignment of whole lines (2 centres them).
class CDecorateParaRange : public CDecorateRange {
 public:
  CDecorateParaRange() = default;
  CDecorateParaRange(int start, int end, std::uint32_t flags = 0);

  void Reset() override;
  void RemoveAttribute(std::uint32_t flag) override;
  void MergeFrom(const CDecorateRange& other) override;
  std::unique_ptr<CDecorateRange> Clone(int start, int end) const override;
  bool IsParagraph() const override { return true; }

  int Alignment() const { return alignment_; }
  // Stores the alignment; a non-zero value sets DECO_ALIGN, zero clears it.
  void SetAlignment(int alignment);

 private:
  int alignment_ = 0;
};

// The document's range list. The head holds the most recently applied decoration, which wins
// where ranges with the same valued flag overlap; ranges from splits and from HTML go to the tail.
// Drawing, writing a fragment and most edits walk the whole list, so it is kept contiguous: a walk
// then reads the ranges side by side instead of following one link after another through the heap.
using DecorateRangeList = std::vector<std::unique_ptr<CDecorateRange>>;

}  // namespace nuvo
