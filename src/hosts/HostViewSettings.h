// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProfileKey.h"

// The host grid's keys of Morvane.ini: whether live hosts move up (N22) and the name of the colour
// scheme.
struct HostViewSettings
{
    ProfileKey<bool> sortLiveHostsFirst{"Morvane", "SortHost", false};
    ProfileKey<QString> scheme{"Morvane", "HostViewColor", QStringLiteral("標準")};

    static HostViewSettings read(const ProfileFile& ini);
    void write(ProfileFile& ini, bool sortLiveHostsFirstNow, const QString& schemeNow) const;
};
