// SPDX-License-Identifier: MIT
// Windows: the modes EnumDisplaySettings gives for the primary display.
#include "platform/DisplayModes.h"

#include <windows.h>

QList<DisplayMode> systemDisplayModes()
{
    QList<DisplayMode> modes;
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    for (DWORD i = 0; EnumDisplaySettingsW(nullptr, i, &mode); ++i)
        modes.append({int(mode.dmPelsWidth), int(mode.dmPelsHeight), int(mode.dmBitsPerPel)});
    return modes;
}
