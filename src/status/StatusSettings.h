// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QtGlobal>

class ProfileFile;

// The status check's key of Morvane.ini: "CheckHostInterval" in section "Morvane", in milliseconds.
struct StatusSettings
{
    static constexpr qint32 DefaultInterval = 10000;
    qint32 checkInterval = DefaultInterval;

    // A value that is not a number, or a negative one, reads as the default.
    static StatusSettings read(const ProfileFile& ini);
    void write(ProfileFile& ini) const;

    // The name of the interval's menu item: "NI" and the interval without its last three characters.
    static QString intervalItemName(qint32 interval);
};
