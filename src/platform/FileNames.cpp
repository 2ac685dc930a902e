// SPDX-License-Identifier: MIT
#include "platform/FileNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace filenames {

namespace {

// Only A-Z fold: the game's names are ASCII, and Unicode case folding would match names that a
// Windows file system keeps apart in some locales (dotless i and the like).
bool equalsAsciiIgnoreCase(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    const auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; };
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (fold(a[i].unicode()) != fold(b[i].unicode()))
            return false;
    }
    return true;
}

QString joined(const QString& base, const QString& name)
{
    if (base.isEmpty())
        return name;
    if (base.endsWith(QLatin1Char('/')))
        return base + name;
    return base + QLatin1Char('/') + name;
}

// The name on disk for component inside folder, or empty when nothing there matches.
QString matchIn(const QString& folder, const QString& component)
{
    const QString direct = joined(folder, component);
    if (QFileInfo::exists(direct) || QFileInfo(direct).isSymLink())
        return component;
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    // Sorted by name so that two spellings in one folder always give the same answer.
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (equalsAsciiIgnoreCase(entry, component))
            return entry;
    }
    return {};
}

} // namespace

QString resolve(const QString& dir, const QString& relative)
{
    QString path = dir;
    bool found = QFileInfo(dir.isEmpty() ? QStringLiteral(".") : dir).isDir();
    const QStringList components = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& component : components) {
        if (component == QLatin1String(".") || component == QLatin1String("..")) {
            path = joined(path, component);
            found = found && QFileInfo(path).isDir();
            continue;
        }
        if (found) {
            const QString onDisk = matchIn(path, component);
            if (!onDisk.isEmpty()) {
                path = joined(path, onDisk);
                continue;
            }
        }
        found = false;
        path = joined(path, component);
    }
    return path;
}

bool exists(const QString& dir, const QString& relative) { return QFileInfo::exists(resolve(dir, relative)); }

bool fileExists(const QString& dir, const QString& relative) { return QFileInfo(resolve(dir, relative)).isFile(); }

QString setNameError(const QString& name)
{
    const QString trimmed = name.trimmed();
    const auto forbidden = [](QChar c) { return c.unicode() < 0x20 || QStringView(u"/\\:*?\"<>|").contains(c); };
    if (trimmed.isEmpty() || trimmed == QLatin1String(".") || trimmed == QLatin1String("..") ||
        std::any_of(trimmed.begin(), trimmed.end(), forbidden))
        return QCoreApplication::translate("filenames",
                                           "「%1」は名前に使えません。\r\n空の名前、「.」「..」、/ \\ : * ? \" < > | "
                                           "を含む名前は付けられません。")
            .arg(name);
    return {};
}

} // namespace filenames
