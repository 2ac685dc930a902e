// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProfileKey.h"

// The status check's key of Morvane.ini: the time between two checks, in milliseconds.
struct StatusSettings
{
    static constexpr qint32 DefaultInterval = 10000;
    // The check waits an unsigned number of milliseconds: a negative one would wait for weeks.
    ProfileKey<qint32> checkInterval{"Morvane", "CheckHostInterval", DefaultInterval, KeyWritten::Always,
                                     [](const qint32& ms) { return ms >= 0; }};

    static StatusSettings read(const ProfileFile& ini);
    void write(ProfileFile& ini, qint32 checkIntervalNow) const;

    // The name of the interval's menu item: "NI" and the interval without its last three characters.
    static QString intervalItemName(qint32 interval);
};
