// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// The mod subsystem's formats and rules, on code-page-932 bytes: the game's active-mod file
// "modsset.txt", the mod set files, the short names for the clipboard, and how mod names compare.
namespace modrules {

// The first line of "modsset.txt" as the game writes it; a reader passes over whatever stands there.
inline constexpr char modsSetHeader[] = "// MODS SETTINGS - LIST OF MODS ACTIVE ON THIS SYSTEM";

// The active entries of "modsset.txt": the text ends at a NUL, lines end at CR LF, CR or LF, the first
// line is passed over, and each further line gives one entry: what follows its last backslash (a
// trail byte 0x5C is no backslash), without its last double quotation mark.
QList<QByteArray> parseModsSet(QByteArrayView bytes);
QByteArray entryFromLine(QByteArrayView line);
// The header, then "\mods\<entry>" in double quotation marks per entry with single-byte A-Z lowered;
// every line ended by CR LF.
QByteArray formatModsSet(const QList<QByteArray>& entries);

// A mod set file: one entry per line as it reads (the text ends at a NUL); written with CR LF.
QList<QByteArray> parseSetFile(QByteArrayView bytes);
QByteArray formatSetFile(const QList<QByteArray>& entries);

// The short name players use in chat for the well-known mods; any other name is itself.
QByteArray ModShortName(QByteArrayView name);
// The active mods for the clipboard: each short name in double quotation marks, separated by commas,
// the whole text in capitals.
QString clipboardText(const QList<QByteArray>& activeEntries);

// Mod names compare as the list control's exact-match search does: whole entries, letter case ignored.
QString foldKey(QByteArrayView entry);
bool sameMod(QByteArrayView a, QByteArrayView b);

// Whether an entry can name a folder inside "Mods": an entry read from a file may hold "/", a backslash
// or ":", or be "..", and must then not lead anywhere else.
bool namesModFolder(QByteArrayView entry);

} // namespace modrules
