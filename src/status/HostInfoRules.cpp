// SPDX-License-Identifier: MIT
#include "status/HostInfoRules.h"

#include "platform/Cp932.h"

#include <QCoreApplication>

namespace hostinfo {

namespace {

bool isBreakAfter(char c) { return c == '\t' || c == ' ' || c == '-' || c == '.'; }

bool isQuote(char c) { return c == '"' || c == '\''; }

QByteArrayView trimmedBlanks(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && static_cast<uchar>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<uchar>(text[end - 1]) <= ' ')
        --end;
    return text.sliced(begin, end - begin);
}

} // namespace

QString playersText(const TQStatData& record)
{
    const qint64 extra = record.Dedicated ? 0 : 1;
    return QString::number(qint64(record.Players) + extra) + QLatin1Char('/') +
           QString::number(qint64(record.MaxPlayers) + extra);
}

QByteArray wrapText(QByteArrayView text, qsizetype maxColumns)
{
    QByteArray out;
    qsizetype lineStart = 0;
    qsizetype breakAt = -1; // where the next line may begin: just after a break character
    char quote = 0;
    auto breakLine = [&] {
        out += text.sliced(lineStart, breakAt - lineStart);
        out += "\r\n";
        lineStart = breakAt;
        breakAt = -1;
    };
    for (qsizetype i = 0; i < text.size();) {
        if (text.sliced(i).startsWith("\r\n")) {
            i += 2;
            out += text.sliced(lineStart, i - lineStart);
            lineStart = i;
            breakAt = -1;
            continue;
        }
        const qsizetype length = cp932::charLength(text, i);
        const char c = text[i];
        // A character that would pass the limit goes to the next line, with what came since the
        // last break character.
        if (i + length - lineStart > maxColumns && breakAt > lineStart)
            breakLine();
        if (length == 1 && isQuote(c)) {
            if (quote == c)
                quote = 0;
            else if (quote == 0)
                quote = c;
        } else if (length == 1 && quote == 0 && isBreakAfter(c)) {
            breakAt = i + 1;
        }
        i += length;
        // A line that had nowhere to break before the limit breaks after its first break character.
        if (i - lineStart > maxColumns && breakAt == i && i < text.size() && !text.sliced(i).startsWith("\r\n"))
            breakLine();
    }
    out += text.sliced(lineStart);
    return out;
}

TeamShown teamShown(QByteArrayView value)
{
    constexpr quint32 White = 0xFFFFFF;
    bool ok = false;
    const qlonglong team = trimmedBlanks(value).toByteArray().toLongLong(&ok, 10);
    if (!ok)
        return {cp932::toUnicode(value), White};
    switch (team) {
    case 1:
        return {QStringLiteral("Team 2"), 0xFF0000};
    case 2:
        return {QStringLiteral("Team 1"), 0x00FFFF};
    case 3:
        return {QStringLiteral("Team 3"), 0x00FF00};
    case 4:
        return {QStringLiteral("Team 4"), 0xFFFF00};
    default:
        if (team >= 5)
            return {QCoreApplication::translate("hostinfo", "待機中"), White};
        return {QStringLiteral("Team ") + QString::number(team), White};
    }
}

QList<QByteArray> SplitModList(QByteArrayView text)
{
    QList<QByteArray> entries;
    qsizetype begin = 0;
    // ';' is never the second byte of a double-byte character.
    for (qsizetype end = text.indexOf(';'); end >= 0; end = text.indexOf(';', begin)) {
        const QByteArrayView name = trimmedBlanks(text.sliced(begin, end - begin));
        if (!name.isEmpty())
            entries.append(name.toByteArray());
        begin = end + 1;
    }
    return entries;
}

bool isGameContent(QByteArrayView modName) { return cp932::equalsIgnoreCase(modName, "origmiss"); }

QList<QByteArray> missingMods(const QList<QByteArray>& entries, const ModPresence& isInstalled)
{
    QList<QByteArray> missing;
    for (const QByteArray& entry : entries) {
        if (entry.isEmpty() || isGameContent(entry) || (isInstalled && isInstalled(entry)))
            continue;
        missing.append(entry);
    }
    return missing;
}

} // namespace hostinfo
