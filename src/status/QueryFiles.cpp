// SPDX-License-Identifier: MIT
#include "status/QueryFiles.h"

#include "hosts/HostGridModel.h"
#include "platform/Cp932.h"
#include "platform/FileNames.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace queryfiles {

namespace {

// A status line is a few dozen bytes; these bounds only keep a damaged or hostile output file
// from filling the memory or the grid.
constexpr qint64 MaxOutputBytes = 1 << 20;
constexpr qsizetype MaxLineBytes = 4096;

QString inFolder(const QString& programFolder, const QString& name) { return QDir(programFolder).filePath(name); }

} // namespace

void WriteQueryTemplates(const QString& programFolder)
{
    const QString info = inFolder(programFolder, HostInfoTemplateFile);
    if (!QFileInfo::exists(info))
        textfile::createAtomic(info, textfile::joinCrLf({HostInfoTemplate}));
    if (!filenames::fileExists(programFolder, StatusTemplateFile))
        textfile::createAtomic(inFolder(programFolder, StatusTemplateFile), textfile::joinCrLf({StatusTemplate}));
}

QString statusTemplateName(const QString& programFolder)
{
    return QFileInfo(filenames::resolve(programFolder, StatusTemplateFile)).fileName();
}

QByteArray hostAddressBytes(const HostGridModel& hosts)
{
    QList<QByteArray> lines;
    lines.reserve(hosts.hostCount());
    for (int i = 0; i < hosts.hostCount(); ++i)
        // One line per host whatever the address holds, or every later status would land a row off.
        lines.append(QByteArrayLiteral("GRS ") +
                     QByteArray(hosts.host(i).address).replace('\r', ' ').replace('\n', ' '));
    return textfile::joinCrLf(lines);
}

int WriteHostAddressFile(const QString& programFolder, const HostGridModel& hosts)
{
    const int count = hosts.hostCount();
    if (count > 0)
        textfile::writeAtomic(inFolder(programFolder, AddressFile), hostAddressBytes(hosts));
    return count;
}

QStringList statusArguments(const QString& programFolder)
{
    // -allowserverdups: without it qstat answers two entries of one address with one line, and
    // every later line would land on the wrong host.
    return {QStringLiteral("-Ts"),  statusTemplateName(programFolder),
            QStringLiteral("-tsw"), QStringLiteral("-sort"),
            QStringLiteral("l"),    QStringLiteral("-of"),
            StatusOutputFile,       QStringLiteral("-allowserverdups"),
            QStringLiteral("-f"),   AddressFile};
}

QStringList hostInfoArguments(const QString& address)
{
    return {QStringLiteral("-Ts"),
            HostInfoTemplateFile,
            QStringLiteral("-tsw"),
            QStringLiteral("-of"),
            HostInfoOutputFile,
            QStringLiteral("-grs"),
            address};
}

QStringList playersArguments(const QString& address, bool dedicated)
{
    // -nnx: without it qstat "translates" player names, and code-page-932 names arrive garbled.
    return {QStringLiteral("-P"),
            QStringLiteral("-raw"),
            QStringLiteral("{::}"),
            QStringLiteral("-nnx"),
            QStringLiteral("-of"),
            PlayersOutputFile,
            dedicated ? QStringLiteral("-grs") : QStringLiteral("-grs,ignoreserverplayer=no"),
            address};
}

QList<QByteArray> readStatusResults(const QString& path, qsizetype maxLines)
{
    QList<QByteArray> results;
    if (maxLines <= 0)
        return results;
    const std::optional<QByteArray> bytes = textfile::read(path, MaxOutputBytes);
    if (!bytes)
        return results;
    QList<QByteArray> lines = textfile::splitLines(*bytes);
    if (lines.size() > maxLines)
        lines.resize(maxLines);
    results.reserve(lines.size());
    for (QByteArray& line : lines) {
        if (line.size() > MaxLineBytes)
            line.truncate(cp932::boundaryAtOrBefore(line, MaxLineBytes));
        results.append(line == "/[]" ? NoAnswer : line);
    }
    return results;
}

void deleteWorkFiles(const QString& programFolder)
{
    for (const QString& name :
         {StatusOutputFile, AddressFile, HostInfoOutputFile, PlayersOutputFile, HostInfoTemplateFile})
        QFile::remove(inFolder(programFolder, name));
}

} // namespace queryfiles
