// SPDX-License-Identifier: MIT
#pragma once

#include "platform/KeptText.h"

class ProfileFile;

// The frame's keys of Morvane.ini: the game folder and the two tray options.
struct FrameSettings
{
    KeptText gameFolder;  // [Path] GhostReconPath
    bool inTray = false;  // [Morvane] InTray, the tick of N11
    bool noClose = false; // [Morvane] NoClose, the tick of N12

    // Missing keys and values that are not numbers read as the defaults; the game folder as defaultFolder.
    static FrameSettings read(const ProfileFile& ini, const QString& defaultFolder);
    // Writes every key; currentFolder is the game folder now.
    void write(ProfileFile& ini, const QString& currentFolder) const;
};
