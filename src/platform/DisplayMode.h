// SPDX-License-Identifier: MIT
#pragma once

// One mode of the primary display, as the display system reports it.
struct DisplayMode
{
    int width = 0;
    int height = 0;
    // Colour depth in bits; 0 where the display system gives modes no depth of their own (X11).
    int bitsPerPixel = 0;
};
