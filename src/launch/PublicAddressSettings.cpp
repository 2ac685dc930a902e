// SPDX-License-Identifier: MIT
#include "launch/PublicAddressSettings.h"

QByteArray PublicAddressSettings::echoUrlOrDefault() const
{
    return echoUrl.value().isEmpty() ? defaultEchoUrl() : echoUrl.value();
}

PublicAddressSettings PublicAddressSettings::read(const ProfileFile& ini)
{
    PublicAddressSettings s;
    s.getIp.read(ini);
    s.echoUrl.read(ini);
    return s;
}

void PublicAddressSettings::write(ProfileFile& ini, bool getIpNow) const
{
    getIp.write(ini, getIpNow);
    echoUrl.write(ini);
}
