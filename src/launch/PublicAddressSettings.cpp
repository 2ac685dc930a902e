// SPDX-License-Identifier: MIT
#include "launch/PublicAddressSettings.h"

#include "platform/ProfileFile.h"

PublicAddressSettings PublicAddressSettings::read(const ProfileFile& ini)
{
    PublicAddressSettings s;
    s.getIp = ini.readBool(StartUpSection, GetIpKey, true);
    if (ini.hasKey(NetworkSection, UrlKey))
        s.storedUrl = ini.readString(NetworkSection, UrlKey);
    if (s.storedUrl && !s.storedUrl->isEmpty())
        s.echoUrl = *s.storedUrl;
    return s;
}

void PublicAddressSettings::write(ProfileFile& ini) const
{
    if (!ini.hasKey(StartUpSection, GetIpKey) || ini.readBool(StartUpSection, GetIpKey, true) != getIp)
        ini.writeBool(StartUpSection, GetIpKey, getIp);
    if (storedUrl && (!ini.hasKey(NetworkSection, UrlKey) || ini.readString(NetworkSection, UrlKey) != *storedUrl))
        ini.writeString(NetworkSection, UrlKey, *storedUrl);
}
