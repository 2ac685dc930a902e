// SPDX-License-Identifier: MIT
#include "hosts/WebHostListSettings.h"

#include "platform/ProfileFile.h"

WebHostListSettings WebHostListSettings::read(const ProfileFile& ini)
{
    WebHostListSettings s;
    s.urlStored = ini.hasKey(Section, UrlKey);
    s.hostListUrl = ini.readString(Section, UrlKey);
    return s;
}

void WebHostListSettings::write(ProfileFile& ini) const
{
    if (urlStored && (!ini.hasKey(Section, UrlKey) || ini.readString(Section, UrlKey) != hostListUrl))
        ini.writeString(Section, UrlKey, hostListUrl);
}
