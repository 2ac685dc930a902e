// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// What the program relies on in an installation of the game: the one place that names its files.
// Every path is the game folder joined with a name, looked up without regard to letter case.
namespace gameinstallation {

inline const QString executableName = QStringLiteral("GhostRecon.exe");
inline const QString optionsName = QStringLiteral("options.xml");
inline const QString modsSetName = QStringLiteral("modsset.txt");
inline const QString modsFolderName = QStringLiteral("Mods");
inline const QString originalModName = QStringLiteral("Origmiss");
inline const QString modDescriptionName = QStringLiteral("modscont.txt");
inline const QString musicFolderRelative = QStringLiteral("Mods/Origmiss/Sound/Music");
inline const QString screenshotPattern = QStringLiteral("*.bmp");

// The six music files, in slot order.
const QStringList& musicFileNames();

// True when the folder holds "GhostRecon.exe" in any letter case.
bool holdsGame(const QString& gameFolder);

QString executablePath(const QString& gameFolder);
QString optionsPath(const QString& gameFolder);
QString modsSetPath(const QString& gameFolder);
QString modsFolder(const QString& gameFolder);
QString modDescriptionPath(const QString& gameFolder, const QString& modName);
QString musicFolder(const QString& gameFolder);

} // namespace gameinstallation
