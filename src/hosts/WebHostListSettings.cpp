// SPDX-License-Identifier: MIT
#include "hosts/WebHostListSettings.h"

WebHostListSettings WebHostListSettings::read(const ProfileFile& ini)
{
    WebHostListSettings s;
    s.hostListUrl.read(ini);
    return s;
}

void WebHostListSettings::write(ProfileFile& ini) const { hostListUrl.write(ini); }
