#pragma once

#include <string>
#include <string_view>

#include "core/app/WindowState.h"

// Where one of the submission's browser dialogs (the login, the final confirmation) opens, as
// the seller chose under "ウインドウの配置位置", and the size and position it had when it last
// closed. Kept as one settings value, "position,left,top,width,height", so that the dialog's
// whole placement is read and written together. The shell hands in the rectangles it knows and
// moves the window to the result.
namespace nuvo {

enum class PlacementChoice {
  kCentreOnOwner = 0,   // centred on the window that opened it
  kCentreOnScreen = 1,  // centred in the work area
  kLastPosition = 2,    // where the seller left it last time
};

class CDialogPlacement {
 public:
  CDialogPlacement(int defaultWidth, int defaultHeight)
      : defaultWidth_(defaultWidth), defaultHeight_(defaultHeight) {}

  // Reads a stored value; anything unreadable keeps the defaults, a choice out of range falls
  // back to centring on the owner, and a size below 1 counts as never placed.
  void Read(std::string_view text);
  std::string ToString() const;

  PlacementChoice Choice() const { return choice_; }
  void SetChoice(PlacementChoice choice) { choice_ = choice; }
  // Remembers the dialog's rectangle (its frame's position, its own size) as it closes.
  void Remember(const WindowRect& rect, const WindowRect& workArea);

  // Where the dialog opens: the remembered size (or the default) clamped to the work area, at the
  // chosen place, kept wholly inside the work area. `owner` may be empty: then it is centred in
  // the work area.
  WindowRect Place(const WindowRect& owner, const WindowRect& workArea) const;

  bool operator==(const CDialogPlacement&) const = default;

 private:
  int defaultWidth_;
  int defaultHeight_;
  PlacementChoice choice_ = PlacementChoice::kCentreOnOwner;
  // Relative to the work area's top-left corner; width 0 while never placed.
  WindowRect last_;
};

}  // namespace nuvo
