// SPDX-License-Identifier: MIT
#include "status/HostInfoFiles.h"

#include "platform/Cp932.h"
#include "platform/TextFile.h"

#include <limits>

namespace hostinfo {

namespace {

// An information line is a few hundred bytes and a host has at most a few dozen players; these
// bounds only keep a damaged output file from filling the memory or the list.
constexpr qint64 MaxInfoBytes = 64 * 1024;
constexpr qint64 MaxPlayersBytes = 1 << 20;
constexpr qsizetype MaxPlayers = 1000;

const QByteArray FieldSeparator = QByteArrayLiteral("<>");
const QByteArray PlayerSeparator = QByteArrayLiteral("{::}");

bool isBlank(char c) { return static_cast<uchar>(c) <= ' '; }

// Blanks and control characters never occur inside a double-byte character (trail bytes start
// at 0x40), so trimming bytes is safe.
QByteArrayView trimmed(QByteArrayView text, qsizetype* front = nullptr)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    if (front)
        *front = begin;
    return text.sliced(begin, end - begin);
}

// A decimal whole number of 32 bits, with an optional sign.
bool parseInt32(QByteArrayView text, qint32& value)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return false;
    qint64 v = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
        if (v > qint64(std::numeric_limits<qint32>::max()) + 1)
            return false;
    }
    v = negative ? -v : v;
    if (v > std::numeric_limits<qint32>::max())
        return false;
    value = static_cast<qint32>(v);
    return true;
}

} // namespace

qsizetype findSeparator(QByteArrayView text, QByteArrayView separator, qsizetype from)
{
    if (separator.isEmpty())
        return -1;
    for (qsizetype i = from; i + separator.size() <= text.size(); i += cp932::charLength(text, i)) {
        if (text.sliced(i, separator.size()) == separator)
            return i;
    }
    return -1;
}

QList<Field> SplitFields(QByteArrayView text, QByteArrayView separator, EmptyFields empty)
{
    QList<Field> fields;
    qsizetype front = 0;
    const QByteArrayView body = trimmed(text, &front);
    if (body.isEmpty())
        return fields;
    auto add = [&](qsizetype begin, qsizetype end) {
        if (begin == end && empty == EmptyFields::Drop)
            return;
        fields.append({trimmed(body.sliced(begin, end - begin)).toByteArray(), front + begin + 1});
    };
    qsizetype begin = 0;
    for (qsizetype sep = findSeparator(body, separator); sep >= 0; sep = findSeparator(body, separator, begin)) {
        add(begin, sep);
        begin = sep + separator.size();
    }
    // The text was trimmed, so what follows the last separator is either nothing or a field.
    if (begin < body.size())
        add(begin, body.size());
    return fields;
}

bool isNoAnswerName(QByteArrayView serverName)
{
    return serverName == "TIMEOUT" || serverName == "DOWN" || serverName == "HOSTNOTFOUND";
}

HostInfoRead parseHostInfo(QByteArrayView bytes, TQStatData& record)
{
    const QList<QByteArray> lines = textfile::splitLines(bytes);
    const QList<Field> fields =
        lines.isEmpty() ? QList<Field>() : SplitFields(lines.first(), FieldSeparator, EmptyFields::Keep);
    if (fields.isEmpty())
        return HostInfoRead::NoAnswer;
    record.ServerName = fields.at(0).text;
    if (fields.size() < 2 || isNoAnswerName(record.ServerName))
        return HostInfoRead::NoAnswer;

    record.Dedicated = fields.at(1).text == "Yes";
    if (fields.size() < 3 || !parseInt32(fields.at(2).text, record.Players))
        return HostInfoRead::Answered;
    if (fields.size() < 4 || !parseInt32(fields.at(3).text, record.MaxPlayers))
        return HostInfoRead::Answered;
    if (fields.size() < 5)
        return HostInfoRead::Answered;
    const QByteArray& mods = fields.at(4).text;
    record.Mods = mods.first(cp932::boundaryAtOrBefore(mods, TQStatData::MaxModsBytes));
    QByteArray* const rest[] = {&record.Patch, &record.Map, &record.Mission, &record.GameMode, &record.MissionType};
    for (qsizetype i = 0; i < qsizetype(std::size(rest)) && 5 + i < fields.size(); ++i)
        *rest[i] = fields.at(5 + i).text;
    return HostInfoRead::Answered;
}

HostInfoRead ReadHostInfoFile(const QString& path, TQStatData& record)
{
    const std::optional<QByteArray> bytes = textfile::read(path, MaxInfoBytes);
    if (!bytes)
        return HostInfoRead::Missing;
    return parseHostInfo(*bytes, record);
}

QList<PlayerEntry> parsePlayers(QByteArrayView bytes)
{
    QList<PlayerEntry> players;
    const QList<QByteArray> lines = textfile::splitLines(bytes);
    for (qsizetype i = 1; i < lines.size() && players.size() < MaxPlayers; ++i) {
        const QByteArray& line = lines.at(i);
        const qsizetype first = findSeparator(line, PlayerSeparator);
        PlayerEntry player;
        player.name = first < 0 ? line : line.first(first);
        if (player.name.isEmpty())
            continue;
        const qsizetype second = first < 0 ? -1 : findSeparator(line, PlayerSeparator, first + PlayerSeparator.size());
        if (second >= 0)
            player.team = line.sliced(second + PlayerSeparator.size());
        players.append(player);
    }
    return players;
}

std::optional<QList<PlayerEntry>> readPlayersFile(const QString& path)
{
    const std::optional<QByteArray> bytes = textfile::read(path, MaxPlayersBytes);
    if (!bytes)
        return std::nullopt;
    return parsePlayers(*bytes);
}

} // namespace hostinfo
