// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProfileKey.h"

// The frame's keys of Morvane.ini: the game folder, the two tray options and the language.
struct FrameSettings
{
    ProfileKey<QString> gameFolder{"Path", "GhostReconPath"};
    ProfileKey<bool> inTray{"Morvane", "InTray", false};   // the tick of N11
    ProfileKey<bool> noClose{"Morvane", "NoClose", false}; // the tick of N12
    // "ja" or "en"; only a user's choice puts it into the file.
    ProfileKey<QByteArray> language{"Morvane", "Language", QByteArray(), KeyWritten::WhenReadOrChanged};

    // An absent game folder reads as defaultFolder.
    static FrameSettings read(const ProfileFile& ini, const QString& defaultFolder);
    // languageNow empty: no choice was made, and what was read is kept.
    void write(ProfileFile& ini, const QString& folder, bool inTrayNow, bool noCloseNow,
               const QByteArray& languageNow = QByteArray()) const;
};
