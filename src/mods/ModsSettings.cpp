// SPDX-License-Identifier: MIT
#include "mods/ModsSettings.h"

ModsSettings ModsSettings::read(const ProfileFile& ini)
{
    ModsSettings s;
    s.sortModList.read(ini);
    return s;
}

void ModsSettings::write(ProfileFile& ini, bool sortModListNow) const { sortModList.write(ini, sortModListNow); }
