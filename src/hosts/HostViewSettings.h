// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class ProfileFile;

// The host grid's keys of Morvane.ini, section "Morvane": whether live hosts move up (N22) and the
// name of the colour scheme.
struct HostViewSettings
{
    bool sortLiveHostsFirst = false; // SortHost
    QString scheme;                  // HostViewColor; empty until a scheme is applied

    static HostViewSettings read(const ProfileFile& ini);
    void write(ProfileFile& ini) const;
};
