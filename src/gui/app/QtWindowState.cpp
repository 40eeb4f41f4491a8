#include "gui/app/QtWindowState.h"

#include <QScreen>
#include <QWidget>

namespace nuvo {
namespace {

WindowRect FromQRect(const QRect& rect) {
  return {rect.x(), rect.y(), rect.width(), rect.height()};
}

WindowRect WorkArea(const QWidget& window) {
  const QScreen* screen = window.screen();
  return screen ? FromQRect(screen->availableGeometry()) : WindowRect{};
}

}  // namespace

void SaveWindowState(CWindowState& state, const QWidget& window) {
  bool zoomed = window.isMaximized();
  // Qt keeps the normal placement apart only while the window is maximised or full screen.
  QRect normal = zoomed || window.isFullScreen() ? window.normalGeometry() : window.geometry();
  if (normal.isEmpty()) return;
  // The position is the frame's, so that a window put back there has its title bar on screen.
  normal.translate(window.frameGeometry().topLeft() - window.geometry().topLeft());
  state.Save(FromQRect(normal), WorkArea(window), zoomed);
}

void RestoreWindowState(const CWindowState& state, QWidget& window) {
  if (auto rect = state.RestoreSizeAndPosition(WorkArea(window))) {
    window.resize(rect->width, rect->height);
    window.move(rect->left, rect->top);
  }
}

void RestoreWindowMaximized(CWindowState& state, QWidget& window) {
  if (state.RestoreMaximized()) window.showMaximized();
}

}  // namespace nuvo
