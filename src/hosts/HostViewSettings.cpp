// SPDX-License-Identifier: MIT
#include "hosts/HostViewSettings.h"

HostViewSettings HostViewSettings::read(const ProfileFile& ini)
{
    HostViewSettings s;
    s.sortLiveHostsFirst.read(ini);
    s.scheme.read(ini);
    return s;
}

void HostViewSettings::write(ProfileFile& ini, bool sortLiveHostsFirstNow, const QString& schemeNow) const
{
    sortLiveHostsFirst.write(ini, sortLiveHostsFirstNow);
    scheme.write(ini, schemeNow);
}
