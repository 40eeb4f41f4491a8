#include "core/app/WindowState.h"

#include <algorithm>
#include <limits>

namespace nuvo {

CWindowState::CWindowState(CAppComm& app, int stateNumber, int defaultWidth, int defaultHeight,
                           unsigned flags)
    : app_(app),
      section_("WindowState\\" + std::to_string(stateNumber)),
      defaultWidth_(defaultWidth),
      defaultHeight_(defaultHeight),
      flags_(flags) {}

void CWindowState::Save(const WindowRect& normal, const WindowRect& workArea, bool zoomed) {
  app_.WriteProfileInt(section_, "Width", normal.width);
  app_.WriteProfileInt(section_, "Height", normal.height);
  app_.WriteProfileInt(section_, "Left", normal.left - workArea.left);
  app_.WriteProfileInt(section_, "Top", normal.top - workArea.top);
  if (flags_ & kAllowMaximize) app_.WriteProfileInt(section_, "Maximized", zoomed ? 1 : 0);
}

std::optional<WindowRect> CWindowState::RestoreSizeAndPosition(const WindowRect& workArea) const {
  int width = app_.GetProfileInt(section_, "Width", defaultWidth_);
  int height = app_.GetProfileInt(section_, "Height", defaultHeight_);
  // A window that was never placed opens centred, not at the corner where its frame would
  // stand off the screen.
  constexpr int kNotPlaced = std::numeric_limits<int>::min();
  int left = app_.GetProfileInt(section_, "Left", kNotPlaced);
  int top = app_.GetProfileInt(section_, "Top", kNotPlaced);
  width = std::min(width, workArea.width);
  height = std::min(height, workArea.height);
  // An empty work area leaves nothing to show the window in, like an empty stored size.
  if (width < 1 || height < 1) return std::nullopt;

  bool inside = left >= 0 && left < workArea.width && top >= 0 && top < workArea.height;
  if (!inside || (flags_ & kAlwaysCentre)) {
    left = (workArea.width - width) / 2;
    top = (workArea.height - height) / 2;
  }
  return WindowRect{workArea.left + left, workArea.top + top, width, height};
}

bool CWindowState::RestoreMaximized() {
  if (maximizedRestored_) return false;
  maximizedRestored_ = true;
  return app_.GetProfileInt(section_, "Maximized", (flags_ & kAllowMaximize) ? 1 : 0) != 0;
}

}  // namespace nuvo
