// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Every file the program reads or writes is code page 932 (Shift-JIS as Windows defines it).
// Parsers work on bytes; text becomes QString only at the user-interface edge, through here.
namespace cp932 {

// 0x81-0x9F and 0xE0-0xFC start a double-byte character.
constexpr bool isLeadByte(uchar b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Length in bytes (1 or 2) of the character that starts at pos; a lead byte at the very end counts as 1.
qsizetype charLength(QByteArrayView bytes, qsizetype pos);

// The largest n <= max such that the first n bytes end on a character boundary.
qsizetype boundaryAtOrBefore(QByteArrayView bytes, qsizetype max);

// Windows' code page 932 decoding and encoding. Characters that code page 932 cannot hold encode as '?';
// the few that other systems spell differently (WAVE DASH for FULLWIDTH TILDE, MINUS SIGN for
// FULLWIDTH HYPHEN-MINUS and so on) encode as code page 932 writes them.
QString toUnicode(QByteArrayView bytes);
QByteArray fromUnicode(QStringView text);

// The first character of text that code page 932 cannot hold (it would be saved as '?'), if any.
std::optional<char32_t> firstUnencodable(QStringView text);
// The message that refuses such text, naming the character; empty when every character can be saved.
QString unencodableMessage(QStringView text);

// Lower-cases single-byte A-Z only; trail bytes of double-byte characters are never touched.
QByteArray asciiLower(QByteArrayView bytes);
// Compares as Windows compares profile-file names: A-Z without regard to case, other bytes exactly.
bool equalsIgnoreCase(QByteArrayView a, QByteArrayView b);

// Index of the last '\' that is not the trail byte of a double-byte character, or -1.
qsizetype lastBackslash(QByteArrayView bytes);

} // namespace cp932
