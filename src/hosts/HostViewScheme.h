// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The host grid's colour schemes, colours as 0xRRGGBB.
struct HostViewScheme
{
    QString name;
    quint32 background;
    quint32 text;
    quint32 header;
};

// "マトリックス" and "Varsity" by exact, case-sensitive name; anything else is "標準".
HostViewScheme hostViewScheme(const QString& name);
// The colours the grid is designed with, before any scheme is applied.
HostViewScheme designedHostViewScheme();
