// SPDX-License-Identifier: MIT
#include "music/MusicSettings.h"

#include "platform/Cp932.h"
#include "platform/ProfileFile.h"

const QByteArray& MusicSettings::section()
{
    static const QByteArray name = QByteArrayLiteral("GRMusic");
    return name;
}

QByteArray MusicSettings::key(int slot) { return QByteArrayLiteral("Music") + QByteArray::number(slot + 1); }

void MusicSettings::read(const ProfileFile& ini)
{
    for (int slot = 0; slot < MusicFiles::SlotCount; ++slot)
        m_read[std::size_t(slot)] = ini.readString(section(), key(slot));
}

QString MusicSettings::text(int slot) const { return cp932::toUnicode(bytes(slot)); }

void MusicSettings::write(ProfileFile& ini, const MusicFiles::Choices& texts) const
{
    for (int slot = 0; slot < MusicFiles::SlotCount; ++slot) {
        const QString& now = texts[std::size_t(slot)];
        const QByteArray value = now == text(slot) ? bytes(slot) : cp932::fromUnicode(now);
        ini.writeString(section(), key(slot), value);
    }
}
