// SPDX-License-Identifier: MIT
// A display system this program cannot ask: the screen's size is the one mode.
#include "platform/DisplayModes.h"

QList<DisplayMode> systemDisplayModes() { return {}; }
