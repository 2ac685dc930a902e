// SPDX-License-Identifier: MIT
#include "status/StatusSettings.h"

StatusSettings StatusSettings::read(const ProfileFile& ini)
{
    StatusSettings s;
    s.checkInterval.read(ini);
    return s;
}

void StatusSettings::write(ProfileFile& ini, qint32 checkIntervalNow) const
{
    checkInterval.write(ini, checkIntervalNow);
}

QString StatusSettings::intervalItemName(qint32 interval)
{
    const QString digits = QString::number(interval);
    return QStringLiteral("NI") + digits.left(qMax<qsizetype>(0, digits.size() - 3));
}
