// SPDX-License-Identifier: MIT
#include "platform/FolderListing.h"

namespace folderlisting {

std::pair<QString, QString> splitPattern(const QString& pattern)
{
    const qsizetype cut = std::max(pattern.lastIndexOf(QLatin1Char('/')), pattern.lastIndexOf(QLatin1Char('\\')));
    if (cut < 0)
        return {QStringLiteral("."), pattern};
    return {cut == 0 ? pattern.left(1) : pattern.left(cut), pattern.mid(cut + 1)};
}

quint32 attributesFromMode(bool isDirectory, bool anyoneMayWrite, QStringView name)
{
    quint32 attributes = isDirectory ? Directory : Archive;
    if (!anyoneMayWrite)
        attributes |= ReadOnly;
    if (name.startsWith(QLatin1Char('.')) && name != QLatin1String(".") && name != QLatin1String(".."))
        attributes |= Hidden;
    return attributes;
}

std::optional<quint32> parseDosAttrib(QByteArrayView value)
{
    const qsizetype nul = value.indexOf('\0');
    const QByteArrayView text = nul < 0 ? value : value.first(nul);
    if (text.size() < 3 || text.size() > 10 || !text.startsWith("0x"))
        return std::nullopt;
    bool ok = false;
    const quint32 word = text.sliced(2).toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    return word;
}

// Matched by hand: listings are made at start-up, and a regular expression would be compiled for each.
bool matchesWildcard(QStringView name, QStringView wildcard)
{
    if (wildcard == QLatin1String("*.*") || wildcard == QLatin1String("*"))
        return true;
    qsizetype n = 0, w = 0, star = -1, starName = 0;
    while (n < name.size()) {
        if (w < wildcard.size() && wildcard[w] == u'*') {
            star = w++;
            starName = n;
        } else if (w < wildcard.size() &&
                   (wildcard[w] == u'?' || wildcard[w].toCaseFolded() == name[n].toCaseFolded())) {
            ++w;
            ++n;
        } else if (star >= 0) {
            // The last star takes one more character, and the rest is tried again from there.
            w = star + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (w < wildcard.size() && wildcard[w] == u'*')
        ++w;
    return w == wildcard.size();
}

} // namespace folderlisting
