// SPDX-License-Identifier: MIT
#include "platform/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace apppaths {

QString programFolder()
{
    const QString home = qEnvironmentVariable("MORVANE_HOME");
    if (!home.isEmpty())
        return QDir::cleanPath(QDir(home).absolutePath());
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (QFileInfo(exeDir).isWritable())
        return QDir::cleanPath(exeDir);
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
}

QString defaultGameFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\Program Files\\Red Storm Entertainment\\Ghost Recon");
#else
    QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (prefix.isEmpty())
        prefix = QDir::homePath() + QStringLiteral("/.wine");
    return QDir::cleanPath(prefix + QStringLiteral("/drive_c/Program Files/Red Storm Entertainment/Ghost Recon"));
#endif
}

QString join(const QString& folder, const QString& name)
{
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

} // namespace apppaths
