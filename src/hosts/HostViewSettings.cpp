// SPDX-License-Identifier: MIT
#include "hosts/HostViewSettings.h"

#include "platform/Cp932.h"
#include "platform/ProfileFile.h"

namespace {
const QByteArray Section = QByteArrayLiteral("Morvane");
} // namespace

HostViewSettings HostViewSettings::read(const ProfileFile& ini)
{
    HostViewSettings s;
    s.sortLiveHostsFirst = ini.readBool(Section, "SortHost", false);
    s.scheme = cp932::toUnicode(ini.readString(Section, "HostViewColor", cp932::fromUnicode(QStringLiteral("標準"))));
    return s;
}

void HostViewSettings::write(ProfileFile& ini) const
{
    ini.writeBool(Section, "SortHost", sortLiveHostsFirst);
    ini.writeString(Section, "HostViewColor", cp932::fromUnicode(scheme));
}
