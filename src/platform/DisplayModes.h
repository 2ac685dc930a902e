// SPDX-License-Identifier: MIT
#pragma once

#include "platform/DisplayMode.h"

#include <QList>

// The modes of the primary display, in the order the display system gives them: XRandR's modes of the
// primary output on X11, EnumDisplaySettings on Windows. Where neither answers (Wayland, offscreen),
// the primary screen's current size is the one mode. Asking never changes the display.
QList<DisplayMode> displayModes();

// What the display system itself answers, empty where it does not; one file per system.
QList<DisplayMode> systemDisplayModes();
