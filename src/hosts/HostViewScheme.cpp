// SPDX-License-Identifier: MIT
#include "hosts/HostViewScheme.h"

HostViewScheme hostViewScheme(const QString& name)
{
    if (name == QStringLiteral("マトリックス"))
        return {name, 0x000000, 0x00FF00, 0x004000};
    if (name == QStringLiteral("Varsity"))
        return {name, 0x86816A, 0xEEEEEA, 0x711E02};
    return {QStringLiteral("標準"), 0xFFFFFF, 0x000000, 0xC0DCC0};
}

HostViewScheme designedHostViewScheme()
{
    HostViewScheme s = hostViewScheme(QStringLiteral("Varsity"));
    s.name.clear(); // no scheme was applied yet
    return s;
}
