// SPDX-License-Identifier: MIT
#include "mods/ModsSettings.h"

#include "platform/ProfileFile.h"

namespace {

constexpr QByteArrayView section = "Morvane";
constexpr QByteArrayView sortKey = "SortModList";

} // namespace

ModsSettings ModsSettings::read(const ProfileFile& ini)
{
    ModsSettings s;
    s.m_sortModList = ini.readBool(section, sortKey, false);
    if (ini.hasKey(section, sortKey))
        s.m_readBytes = ini.readString(section, sortKey);
    return s;
}

void ModsSettings::write(ProfileFile& ini, bool sortModList) const
{
    if (m_readBytes && sortModList == m_sortModList)
        ini.writeString(section, sortKey, *m_readBytes);
    else
        ini.writeBool(section, sortKey, sortModList);
}
