// SPDX-License-Identifier: MIT
#include "status/StatusSettings.h"

#include "platform/ProfileFile.h"

namespace {
const QByteArray Section = QByteArrayLiteral("Morvane");
const QByteArray Key = QByteArrayLiteral("CheckHostInterval");
} // namespace

StatusSettings StatusSettings::read(const ProfileFile& ini)
{
    StatusSettings s;
    s.checkInterval = ini.readInt(Section, Key, DefaultInterval);
    // The check waits an unsigned number of milliseconds: a negative one would wait for weeks.
    if (s.checkInterval < 0)
        s.checkInterval = DefaultInterval;
    return s;
}

void StatusSettings::write(ProfileFile& ini) const { ini.writeInt(Section, Key, checkInterval); }

QString StatusSettings::intervalItemName(qint32 interval)
{
    const QString digits = QString::number(interval);
    return QStringLiteral("NI") + digits.left(qMax<qsizetype>(0, digits.size() - 3));
}
