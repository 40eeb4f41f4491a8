#pragma once

// The converter of the decorated-text document: holds the base font size (tenths of a point) and
// converts between sizes and the seven levels of the HTML font tag.
namespace nuvo {

class CDecorateConverter {
 public:
  // Whether the base size changed. Sizes already stored are not rescaled.
  bool SetBaseSize(int size);
  int GetBaseSize() const { return baseSize_; }
  // The size of a level 1-7 (clamped), moved by the base size when one is set.
  int LevelToSize(int level) const;
  // The level whose size is exactly `size`; 3 (the standard level) for any other size.
  int SizeToLevel(int size) const;

 private:
  int baseSize_ = 0;
};

}  // namespace nuvo
