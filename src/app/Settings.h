// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

#include <array>

// The program's own settings file, "Morvane.ini" in the program folder. The live values sit in
// their menu items and fields; this is only the snapshot moved between them and the file.
struct SettingsValues
{
    QString gameFolder;
    bool getIp = true;        // N3
    bool inTray = false;      // N11
    bool noClose = false;     // N12
    bool sortModList = false; // MOD1
    bool sortHost = false;    // N22
    QString hostViewColor;    // empty until a scheme is applied
    qint32 checkInterval = 10000;
    std::array<QString, 6> music; // LabeledEdit1..6
    QString gameRunner;           // read only: the program that starts a Windows game elsewhere
};

namespace settings {

inline const QString fileName = QStringLiteral("Morvane.ini");

QString filePath(const QString& programFolder);
// Reads the keys over `current`; a missing file leaves every value as it is (the caller passes
// the designed and start-up values). Garbage reads as the defaults.
SettingsValues read(const QString& path, SettingsValues current);
// Writes every key and saves atomically; unknown keys and lines stay. Throws UserError.
void write(const QString& path, const SettingsValues& values);

// The name of the interval menu item: "NI" + the interval without its last three characters.
QString intervalItemName(qint32 interval);

} // namespace settings
