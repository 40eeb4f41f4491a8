#pragma once

#include "core/app/WindowState.h"

class QWidget;

// Applies a CWindowState to a top-level widget, with the work area of the widget's screen. The
// position kept is the frame's, the size the window's own.
namespace nuvo {

// Remembers the widget's normal placement and whether it is maximised.
void SaveWindowState(CWindowState& state, const QWidget& window);

// Gives the widget its remembered size and position, clamped to the work area or centred in it;
// leaves the widget as it is when nothing is remembered and there is no default size.
void RestoreWindowState(const CWindowState& state, QWidget& window);

// Shows the widget maximised when it was maximised last time; only the first call does anything.
void RestoreWindowMaximized(CWindowState& state, QWidget& window);

}  // namespace nuvo
