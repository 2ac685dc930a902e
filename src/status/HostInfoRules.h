// SPDX-License-Identifier: MIT
#pragma once

#include "status/TQStatData.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>

// How a host's information is shown and how its mods are checked.
namespace hostinfo {

// "3/16": the players and the maximum. qstat leaves out the hosting player of a host that is not
// dedicated, lowering both numbers by one, so both are shown one higher there.
QString playersText(const TQStatData& record);

// Breaks text into lines of at most maxColumns bytes (a double-byte character takes two columns,
// as it does on screen): where a line would pass maxColumns, a CR LF goes after the last tab,
// blank, "-" or "." before that point (after the first one past it if the line has none). None goes
// at the very end of the text or where a CR LF already follows, and text within quotes is never
// broken. Nothing of the text is dropped.
QByteArray wrapText(QByteArrayView text, qsizetype maxColumns = 48);

// How a player's team value is shown: "1" and "2" are the two sides (shown the other way round,
// as the game names them), "3" and "4" further teams, 5 and above a player who waits for the next
// round. A value that is not a whole number is shown as it stands.
struct TeamShown
{
    QString text;
    quint32 rgb; // 0xRRGGBB
};
TeamShown teamShown(QByteArrayView value);

// The mods of a host's mod list, in its order (a load order): the names before each ";", trimmed of
// blanks. qstat turns each "\mods\" into a blank, so a host's list reads " origmiss; mp1;". Empty
// names are left out, and so is the text after the last ";": it is either nothing or a name cut
// off at the length limit.
QList<QByteArray> SplitModList(QByteArrayView text);

// Whether a mod of this name is installed: asked of the mod lists, letter case ignored.
using ModPresence = std::function<bool(QByteArrayView modName)>;

// The game's own content, which every installation has: never reported missing.
bool isGameContent(QByteArrayView modName);

// The entries that are neither the game's own content nor installed, in their order.
QList<QByteArray> missingMods(const QList<QByteArray>& entries, const ModPresence& isInstalled);

} // namespace hostinfo
