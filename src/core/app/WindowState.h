#pragma once

#include <optional>
#include <string>

#include "core/app/AppComm.h"

// The remembered placement of one frame window: its normal size and position and whether it was
// maximised, in the section "WindowState\" followed by the window's state number. Positions are
// kept relative to the top-left corner of the work area (the screen less its task bars). The
// window itself stays with the shell, which hands in its rectangle and applies the result.
namespace nuvo {

// A rectangle in screen coordinates.
struct WindowRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const WindowRect&) const = default;
};

class CWindowState {
 public:
  // Flags: the window may be maximised (and is remembered so); the window always opens centred.
  static constexpr unsigned kAllowMaximize = 0x1;
  static constexpr unsigned kAlwaysCentre = 0x2;

  CWindowState(CAppComm& app, int stateNumber, int defaultWidth, int defaultHeight, unsigned flags);

  // Remembers `normal`, the window's rectangle when it is neither maximised nor minimised, and,
  // when the window may be maximised, whether it is maximised (`zoomed`).
  void Save(const WindowRect& normal, const WindowRect& workArea, bool zoomed);

  // Where the window opens: the remembered size clamped to the work area, at the remembered
  // position when that lies inside the work area, else (and when never placed) centred. Nothing
  // when the size is empty.
  std::optional<WindowRect> RestoreSizeAndPosition(const WindowRect& workArea) const;

  // Whether to show the window maximised now; true at most once, on the first call.
  bool RestoreMaximized();

 private:
  CAppComm& app_;
  std::string section_;
  int defaultWidth_;
  int defaultHeight_;
  unsigned flags_;
  bool maximizedRestored_ = false;
};

}  // namespace nuvo
