// SPDX-License-Identifier: MIT
#pragma once

#include "music/MusicFiles.h"
#include "platform/ProfileKey.h"

#include <array>

// The music page's keys of Morvane.ini: "Music1" to "Music6", the chosen file of each slot (empty
// when absent). The live values are the page's edits.
struct MusicSettings
{
    std::array<ProfileKey<QString>, MusicFiles::SlotCount> files{
        ProfileKey<QString>{"GRMusic", "Music1"}, ProfileKey<QString>{"GRMusic", "Music2"},
        ProfileKey<QString>{"GRMusic", "Music3"}, ProfileKey<QString>{"GRMusic", "Music4"},
        ProfileKey<QString>{"GRMusic", "Music5"}, ProfileKey<QString>{"GRMusic", "Music6"}};

    static MusicSettings read(const ProfileFile& ini);
    void write(ProfileFile& ini, const MusicFiles::Choices& filesNow) const;
};
