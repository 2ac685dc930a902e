// SPDX-License-Identifier: MIT
#pragma once

#include "status/TQStatData.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// Reading the two files a host information fetch gets from the query program: "hostinfo.dat"
// (one line of fields separated by "<>") and "players.dat" (a heading line, then one line per
// player, fields separated by "{::}").
namespace hostinfo {

struct Field
{
    QByteArray text;
    qsizetype position = 0; // 1-based byte position in the text given where the piece begins
};

enum class EmptyFields
{
    Drop, // two separators in a row, or one at the start, give no field
    Keep, // they give an empty field, so later fields keep their places
};

// Splits text at separator. The text is trimmed of blanks and control characters first (nothing
// left gives no fields), and every field is trimmed too. A separator is only found where a
// character begins, never inside a double-byte character.
QList<Field> SplitFields(QByteArrayView text, QByteArrayView separator, EmptyFields empty = EmptyFields::Drop);

// Index of the first separator at or after from that starts on a character boundary, or -1.
qsizetype findSeparator(QByteArrayView text, QByteArrayView separator, qsizetype from = 0);

// What qstat writes as the name of a host that did not answer: "TIMEOUT" (silent), "DOWN"
// (refused) and "HOSTNOTFOUND" (a name that does not resolve).
bool isNoAnswerName(QByteArrayView serverName);

enum class HostInfoRead
{
    Missing,  // no file, or it could not be read
    NoAnswer, // the host did not answer
    Answered, // record holds what the host reported
};

// Fills record from the first line of a host information output. The fields go in template
// order; the first one missing or a count that is not a whole number ends the parse quietly, the
// fields before it keeping their values. An empty field keeps its place, so the ones after it stay
// where they belong. A first line with fewer than two fields, or a no-answer name, is NoAnswer.
HostInfoRead parseHostInfo(QByteArrayView bytes, TQStatData& record);
HostInfoRead ReadHostInfoFile(const QString& path, TQStatData& record);

struct PlayerEntry
{
    QByteArray name;
    QByteArray team; // the raw team value, as qstat wrote it

    bool operator==(const PlayerEntry&) const = default;
};

// The players of a players output: every line after the heading whose name (the text before the
// first "{::}", or the whole line) is not empty; the team is the text after the second "{::}".
QList<PlayerEntry> parsePlayers(QByteArrayView bytes);
// Nothing when the file is missing or cannot be read.
std::optional<QList<PlayerEntry>> readPlayersFile(const QString& path);

} // namespace hostinfo
