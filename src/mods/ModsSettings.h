// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

#include <optional>

class ProfileFile;

// The mod subsystem's key of "Morvane.ini": "SortModList" of section "Morvane", the tick of the option
// "MODリストを常にアルファベット順に並べる" (false when absent or not a number). A value the user did
// not change is written back as the bytes it was read as.
class ModsSettings
{
public:
    static ModsSettings read(const ProfileFile& ini);
    // Writes the option's present tick.
    void write(ProfileFile& ini, bool sortModList) const;

    bool sortModList() const { return m_sortModList; }

private:
    bool m_sortModList = false;
    std::optional<QByteArray> m_readBytes; // the value as read, when the key was there
};
