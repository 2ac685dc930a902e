// SPDX-License-Identifier: MIT
#include "platform/FolderListing.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#endif

namespace folderlisting {

namespace {

// The folder part and the wildcard part of a pattern; either separator may end the folder.
std::pair<QString, QString> splitPattern(const QString& pattern)
{
    const qsizetype cut = std::max(pattern.lastIndexOf(QLatin1Char('/')), pattern.lastIndexOf(QLatin1Char('\\')));
    if (cut < 0)
        return {QStringLiteral("."), pattern};
    return {cut == 0 ? pattern.left(1) : pattern.left(cut), pattern.mid(cut + 1)};
}

#ifndef Q_OS_WIN
std::optional<QByteArray> dosAttrib(const QByteArray& path)
{
    char value[256];
    const ssize_t length = getxattr(path.constData(), "user.DOSATTRIB", value, sizeof value);
    if (length < 0)
        return std::nullopt;
    return QByteArray(value, length);
}
#endif

} // namespace

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

namespace {

// "*" any run of characters, "?" one character, letter case ignored. Matched by hand: a listing is
// made at start-up, and a regular expression would be compiled for it.
bool globMatches(QStringView name, QStringView wildcard)
{
    qsizetype n = 0, w = 0, starW = -1, starN = 0;
    while (n < name.size()) {
        if (w < wildcard.size() && wildcard[w] == u'*') {
            starW = w++;
            starN = n;
        } else if (w < wildcard.size() &&
                   (wildcard[w] == u'?' || wildcard[w].toCaseFolded() == name[n].toCaseFolded())) {
            ++w;
            ++n;
        } else if (starW >= 0) {
            // Let the last star take one more character and try again from there.
            w = starW + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (w < wildcard.size() && wildcard[w] == u'*')
        ++w;
    return w == wildcard.size();
}

class Wildcard
{
public:
    explicit Wildcard(QStringView wildcard)
        : m_all(wildcard == QLatin1String("*.*") || wildcard == QLatin1String("*")), m_wildcard(wildcard)
    {
    }
    bool matches(QStringView name) const { return m_all || globMatches(name, m_wildcard); }

private:
    bool m_all;
    QStringView m_wildcard;
};

} // namespace

bool matchesWildcard(QStringView name, QStringView wildcard) { return Wildcard(wildcard).matches(name); }

#ifdef Q_OS_WIN

QList<Entry> find(const QString& pattern)
{
    QList<Entry> entries;
    const auto [folder, wildcard] = splitPattern(pattern);
    const QString native = QDir::toNativeSeparators(folder) + QLatin1Char('\\') + wildcard;
    WIN32_FIND_DATAW data;
    const HANDLE handle = FindFirstFileW(reinterpret_cast<const wchar_t*>(native.utf16()), &data);
    if (handle == INVALID_HANDLE_VALUE)
        return entries;
    do {
        entries.append(Entry{QString::fromWCharArray(data.cFileName), quint32(data.dwFileAttributes)});
    } while (FindNextFileW(handle, &data));
    FindClose(handle);
    return entries;
}

#else

QList<Entry> find(const QString& pattern)
{
    QList<Entry> entries;
    const auto [folder, wildcard] = splitPattern(pattern);
    const QByteArray folderBytes = QFile::encodeName(folder);
    DIR* dir = opendir(folderBytes.constData());
    if (!dir)
        return entries;
    const Wildcard matcher(wildcard);
    while (const dirent* d = readdir(dir)) {
        const QString name = QFile::decodeName(d->d_name);
        if (!matcher.matches(name))
            continue;
        const QByteArray path = folderBytes + '/' + d->d_name;
        struct stat st;
        // A link counts as what it points to, as it does for the game under Wine; a dangling one is skipped.
        if (stat(path.constData(), &st) != 0)
            continue;
        const bool isDirectory = S_ISDIR(st.st_mode);
        quint32 attributes = 0;
        const std::optional<QByteArray> stored = dosAttrib(path);
        if (const std::optional<quint32> word = stored ? parseDosAttrib(*stored) : std::nullopt)
            attributes = (*word & ~quint32(Directory)) | (isDirectory ? quint32(Directory) : 0u);
        else
            attributes = attributesFromMode(isDirectory, (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0, name);
        entries.append(Entry{name, attributes});
    }
    closedir(dir);
    return entries;
}

#endif

} // namespace folderlisting
