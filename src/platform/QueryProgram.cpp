// SPDX-License-Identifier: MIT
#include "platform/QueryProgram.h"

#include "platform/Executables.h"
#include "platform/FileNames.h"

#include <QDir>

namespace queryprogram {

namespace {

#ifdef Q_OS_WIN
const QStringList LocalNames = {QStringLiteral("qstat.exe")};
const QStringList PathNames = {};
#else
const QStringList LocalNames = {QStringLiteral("qstat.exe"), QStringLiteral("qstat")};
const QStringList PathNames = {QStringLiteral("quakestat"), QStringLiteral("qstat")};
#endif

} // namespace

QString find(const QString& programFolder)
{
    for (const QString& name : LocalNames) {
        // Outside Windows a qstat.exe copied along with a Windows install cannot run; the system's
        // own copy can.
        const QString path = filenames::resolve(programFolder, name);
        if (executables::isNativeExecutable(path))
            return path;
    }
    for (const QString& name : PathNames) {
        const QString path = executables::findOnPath(name);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

QStringList candidates(const QString& programFolder)
{
    QStringList places;
    for (const QString& name : LocalNames)
        places << QDir::toNativeSeparators(QDir(programFolder).filePath(name));
    for (const QString& name : PathNames)
        places << QStringLiteral("PATH: %1").arg(name);
    return places;
}

} // namespace queryprogram
