// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProfileKey.h"

// The frame's keys of Morvane.ini: the game folder and the two tray options.
struct FrameSettings
{
    ProfileKey<QString> gameFolder{"Path", "GhostReconPath"};
    ProfileKey<bool> inTray{"Morvane", "InTray", false};   // the tick of N11
    ProfileKey<bool> noClose{"Morvane", "NoClose", false}; // the tick of N12

    // An absent game folder reads as defaultFolder.
    static FrameSettings read(const ProfileFile& ini, const QString& defaultFolder);
    void write(ProfileFile& ini, const QString& folder, bool inTrayNow, bool noCloseNow) const;
};
