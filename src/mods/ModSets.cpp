// SPDX-License-Identifier: MIT
#include "mods/ModSets.h"

#include "mods/ModRules.h"
#include "platform/Errors.h"
#include "platform/FileNames.h"
#include "platform/FolderListing.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace modsets {

namespace {

QString fileName(const QString& name) { return name + extension; }

// Every file of the folder that answers to the set's name.
QStringList spellings(const QString& programFolder, const QString& name)
{
    QStringList files;
    const QString wanted = fileName(name);
    for (const folderlisting::Entry& entry : folderlisting::find(programFolder + QStringLiteral("/*.mst"))) {
        if (!(entry.attributes & folderlisting::Directory) && entry.name.compare(wanted, Qt::CaseInsensitive) == 0)
            files.append(entry.name);
    }
    return files;
}

QByteArray readWhole(const QString& path)
{
    const std::optional<QByteArray> bytes = textfile::readExisting(path, MaxSetBytes + 1);
    if (!bytes)
        throw UserError(cannotReadMessage(path, QCoreApplication::translate("modsets", "ファイルがありません")));
    if (bytes->size() > MaxSetBytes)
        throw UserError(cannotReadMessage(path, QCoreApplication::translate("modsets", "ファイルが大きすぎます")));
    return *bytes;
}

} // namespace

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

QStringList listNames(const QString& programFolder)
{
    QStringList files;
    for (const folderlisting::Entry& entry : folderlisting::find(programFolder + QStringLiteral("/*.mst"))) {
        if (!(entry.attributes & folderlisting::Directory))
            files.append(entry.name);
    }
    std::sort(files.begin(), files.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    QStringList names;
    for (const QString& file : std::as_const(files)) {
        const QString name = file.left(file.size() - extension.size());
        if (filenames::setNameError(name).isEmpty())
            names.append(name);
    }
    return names;
}

QString setPath(const QString& programFolder, const QString& name)
{
    return filenames::resolve(programFolder, fileName(name));
}

bool exists(const QString& programFolder, const QString& name)
{
    return QFileInfo(setPath(programFolder, name)).isFile();
}

std::optional<QList<QByteArray>> read(const QString& path)
{
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return std::nullopt;
    return modrules::parseSetFile(readWhole(path));
}

namespace {

void writeSet(const QString& programFolder, const QString& name, const QByteArray& bytes)
{
    const QString typed = fileName(name);
    textfile::writeAtomic(QDir(programFolder).filePath(typed), bytes);
    for (const QString& other : spellings(programFolder, name)) {
        if (other != typed)
            textfile::remove(QDir(programFolder).filePath(other));
    }
}

} // namespace

void save(const QString& programFolder, const QString& name, const QList<QByteArray>& entries)
{
    writeSet(programFolder, name, modrules::formatSetFile(entries));
}

void import(const QString& sourcePath, const QString& programFolder, const QString& name)
{
    writeSet(programFolder, name, readWhole(sourcePath));
}

bool remove(const QString& programFolder, const QString& name)
{
    return textfile::remove(setPath(programFolder, name));
}

} // namespace modsets
