// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
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

// The game folder the program works on: the one owner of it. Subsystems keep a reference and ask
// folder() at the moment of use; folderChanged tells those that must follow a change at once.
class GameInstallation : public QObject
{
    Q_OBJECT
public:
    explicit GameInstallation(QObject* parent = nullptr);
    explicit GameInstallation(const QString& folder, QObject* parent = nullptr);

    const QString& folder() const { return m_folder; }
    // Emits folderChanged when the folder differs from the one held.
    void setFolder(const QString& folder);

signals:
    void folderChanged(const QString& folder);

private:
    QString m_folder;
};
