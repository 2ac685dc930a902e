// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProfileKey.h"

// The mod subsystem's key of "Morvane.ini": the tick of the option "MODリストを常にアルファベット順に
// 並べる" (false when absent or not a number).
struct ModsSettings
{
    ProfileKey<bool> sortModList{"Morvane", "SortModList", false};

    static ModsSettings read(const ProfileFile& ini);
    void write(ProfileFile& ini, bool sortModListNow) const;
};
