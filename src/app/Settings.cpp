// SPDX-License-Identifier: MIT
#include "app/Settings.h"

#include "platform/AppPaths.h"
#include "platform/Cp932.h"
#include "platform/ProfileFile.h"

#include <QFileInfo>

namespace {

const QByteArray pathSection = QByteArrayLiteral("Path");
const QByteArray startUpSection = QByteArrayLiteral("StartUp");
const QByteArray mainSection = QByteArrayLiteral("Morvane");
const QByteArray musicSection = QByteArrayLiteral("GRMusic");

QByteArray musicKey(int n) { return QByteArrayLiteral("Music") + QByteArray::number(n); }

} // namespace

namespace settings {

QString filePath(const QString& programFolder) { return apppaths::join(programFolder, fileName); }

SettingsValues read(const QString& path, SettingsValues v)
{
    if (!QFileInfo(path).isFile())
        return v;
    const ProfileFile ini(path);
    v.gameFolder = cp932::toUnicode(ini.readString(pathSection, "GhostReconPath", cp932::fromUnicode(v.gameFolder)));
    v.getIp = ini.readBool(startUpSection, "GetIP", true);
    v.inTray = ini.readBool(mainSection, "InTray", false);
    v.noClose = ini.readBool(mainSection, "NoClose", false);
    v.sortModList = ini.readBool(mainSection, "SortModList", false);
    v.sortHost = ini.readBool(mainSection, "SortHost", false);
    v.hostViewColor =
        cp932::toUnicode(ini.readString(mainSection, "HostViewColor", cp932::fromUnicode(QStringLiteral("標準"))));
    v.checkInterval = ini.readInt(mainSection, "CheckHostInterval", 10000);
    // The check waits an unsigned number of milliseconds: a negative one would wait for weeks.
    if (v.checkInterval < 0)
        v.checkInterval = 10000;
    for (int n = 1; n <= 6; ++n)
        v.music[n - 1] = cp932::toUnicode(ini.readString(musicSection, musicKey(n)));
    v.gameRunner = cp932::toUnicode(ini.readString(pathSection, "GameRunner"));
    return v;
}

void write(const QString& path, const SettingsValues& v)
{
    ProfileFile ini(path);
    ini.setPath(path);
    ini.writeString(pathSection, "GhostReconPath", cp932::fromUnicode(v.gameFolder));
    ini.writeBool(startUpSection, "GetIP", v.getIp);
    ini.writeBool(mainSection, "InTray", v.inTray);
    ini.writeBool(mainSection, "NoClose", v.noClose);
    ini.writeBool(mainSection, "SortModList", v.sortModList);
    ini.writeBool(mainSection, "SortHost", v.sortHost);
    ini.writeString(mainSection, "HostViewColor", cp932::fromUnicode(v.hostViewColor));
    ini.writeInt(mainSection, "CheckHostInterval", v.checkInterval);
    for (int n = 1; n <= 6; ++n)
        ini.writeString(musicSection, musicKey(n), cp932::fromUnicode(v.music[n - 1]));
    ini.save();
}

QString intervalItemName(qint32 interval)
{
    const QString digits = QString::number(interval);
    return QStringLiteral("NI") + digits.left(qMax<qsizetype>(0, digits.size() - 3));
}

} // namespace settings
