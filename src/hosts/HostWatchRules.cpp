// SPDX-License-Identifier: MIT
#include "hosts/HostWatchRules.h"

#include "platform/ProfileFile.h"

#include <QCoreApplication>

namespace hostwatch {

namespace {

const QByteArray Section = QByteArrayLiteral("HostWatch");

QByteArray addressKey(int n) { return QByteArrayLiteral("HostIP") + QByteArray::number(n); }
QByteArray freeKey(int n) { return QByteArrayLiteral("WhenFree") + QByteArray::number(n); }
QByteArray atLeastKey(int n) { return QByteArrayLiteral("AtLeast") + QByteArray::number(n); }

// Leading decimal digits at pos, at most 6 of them; advances pos past them.
std::optional<int> count(QStringView text, qsizetype& pos)
{
    const qsizetype begin = pos;
    int value = 0;
    while (pos < text.size() && text[pos].isDigit() && text[pos].unicode() < 0x80 && pos - begin < 6)
        value = value * 10 + (text[pos++].unicode() - '0');
    if (pos == begin)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<ShownCount> parseStatusCell(QStringView cell)
{
    qsizetype pos = 0;
    const std::optional<int> players = count(cell, pos);
    if (!players || pos >= cell.size() || cell[pos] != QLatin1Char('/'))
        return std::nullopt;
    ++pos;
    const std::optional<int> max = count(cell, pos);
    if (!max)
        return std::nullopt;
    return ShownCount{*players, *max};
}

QList<Reason> risingEdges(const WatchRule& rule, const std::optional<ShownCount>& shown, EdgeState& state)
{
    QList<Reason> rising;
    const bool free = rule.whenFree && shown && shown->max > 0 && shown->players < shown->max;
    const bool enough = rule.atLeast > 0 && shown && shown->players >= rule.atLeast;
    if (free && !state.free)
        rising.append(Reason::FreeSlot);
    if (enough && !state.enough)
        rising.append(Reason::EnoughPlayers);
    state.free = free;
    state.enough = enough;
    return rising;
}

QString notificationText(const QString& hostName, Reason reason, const WatchRule& rule, const QString& status)
{
    switch (reason) {
    case Reason::FreeSlot:
        return QCoreApplication::translate("hostwatch", "%1 に空きがあります  %2").arg(hostName, status);
    case Reason::EnoughPlayers:
        return QCoreApplication::translate("hostwatch", "%1 が%2人以上になりました  %3")
            .arg(hostName)
            .arg(rule.atLeast)
            .arg(status);
    }
    return {};
}

QString ruleText(const WatchRule& rule)
{
    QStringList parts;
    if (rule.whenFree)
        parts << QCoreApplication::translate("hostwatch", "空きが出たら通知");
    if (rule.atLeast > 0)
        parts << QCoreApplication::translate("hostwatch", "%1人以上で通知").arg(rule.atLeast);
    return parts.join(QCoreApplication::translate("hostwatch", "、"));
}

QList<Entry> readEntries(const ProfileFile& file)
{
    QList<Entry> entries;
    for (int n = 1; n <= SlotCount; ++n) {
        const QByteArray address = file.readString(Section, addressKey(n));
        if (address.isEmpty())
            break;
        WatchRule rule;
        rule.whenFree = file.readBool(Section, freeKey(n), false);
        rule.atLeast = std::clamp(file.readInt(Section, atLeastKey(n), 0), 0, MaxAtLeast);
        if (rule.isSet())
            entries.append({address, rule});
    }
    return entries;
}

void writeEntries(ProfileFile& file, const QList<Entry>& entries)
{
    for (int n = 1; n <= SlotCount; ++n) {
        const bool used = n <= entries.size();
        const Entry* entry = used ? &entries[n - 1] : nullptr;
        file.writeString(Section, addressKey(n), used ? ProfileFile::quotedForReading(entry->first) : QByteArray());
        file.writeString(Section, freeKey(n), used ? QByteArray::number(entry->second.whenFree ? 1 : 0) : QByteArray());
        file.writeString(Section, atLeastKey(n), used ? QByteArray::number(entry->second.atLeast) : QByteArray());
    }
}

} // namespace hostwatch
