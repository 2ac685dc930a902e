// SPDX-License-Identifier: MIT
#include "mods/ModRules.h"

#include "platform/Cp932.h"
#include "platform/TextFile.h"

namespace modrules {

namespace {

QByteArrayView untilNul(QByteArrayView bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    return nul < 0 ? bytes : bytes.first(nul);
}

} // namespace

QByteArray entryFromLine(QByteArrayView line)
{
    QByteArray entry = line.sliced(cp932::lastBackslash(line) + 1).toByteArray();
    // A double quotation mark (0x22) is never a trail byte, so a plain search is safe here.
    const qsizetype quote = entry.lastIndexOf('"');
    if (quote >= 0)
        entry.remove(quote, 1);
    return entry;
}

QList<QByteArray> parseModsSet(QByteArrayView bytes)
{
    const QList<QByteArray> lines = textfile::splitLines(untilNul(bytes));
    QList<QByteArray> entries;
    entries.reserve(std::max<qsizetype>(0, lines.size() - 1));
    for (qsizetype i = 1; i < lines.size(); ++i)
        entries.append(entryFromLine(lines[i]));
    return entries;
}

QByteArray formatModsSet(const QList<QByteArray>& entries)
{
    QList<QByteArray> lines;
    lines.reserve(entries.size() + 1);
    lines.append(QByteArray(modsSetHeader));
    for (const QByteArray& entry : entries)
        lines.append("\"\\mods\\" + cp932::asciiLower(entry) + '"');
    return textfile::joinCrLf(lines);
}

QList<QByteArray> parseSetFile(QByteArrayView bytes) { return textfile::splitLines(untilNul(bytes)); }

QByteArray formatSetFile(const QList<QByteArray>& entries) { return textfile::joinCrLf(entries); }

QByteArray ModShortName(QByteArrayView name)
{
    static const std::pair<QByteArrayView, QByteArrayView> table[] = {
        {"mp1", "DS"},           {"mp2", "IT"},           {"mappack s1", "SOAF1"},
        {"mappack s2", "SOAF2"}, {"mappack s3", "SOAF3"}, {"far_cqb_mp", "FAR_CQB"},
        {"nmm_modv20", "NMM"},
    };
    for (const auto& [folder, shortName] : table) {
        if (name == folder)
            return shortName.toByteArray();
    }
    return name.toByteArray();
}

QString clipboardText(const QList<QByteArray>& activeEntries)
{
    QByteArray text;
    for (qsizetype i = 0; i < activeEntries.size(); ++i) {
        text += '"' + ModShortName(activeEntries[i]) + '"';
        if (i + 1 < activeEntries.size())
            text += ',';
    }
    return cp932::toUnicode(text).toUpper();
}

QString foldKey(QByteArrayView entry)
{
    const QString text = cp932::toUnicode(entry);
    // Damaged bytes all decode to U+FFFD: such names are told apart by their bytes, behind a
    // character that decoding never gives.
    if (text.contains(QChar(0xFFFD)))
        return QChar(0xFFFF) + QString::fromLatin1(entry.toByteArray().toHex());
    return text.toCaseFolded();
}

bool sameMod(QByteArrayView a, QByteArrayView b)
{
    // Most names are plain ASCII: compare bytes first, and decode only when that cannot decide.
    if (cp932::equalsIgnoreCase(a, b))
        return true;
    return foldKey(a) == foldKey(b);
}

bool namesModFolder(QByteArrayView entry)
{
    return !entry.isEmpty() && entry != "." && entry != ".." && !entry.contains('/') && !entry.contains(':') &&
           !entry.contains('\0') && cp932::lastBackslash(entry) < 0;
}

} // namespace modrules
