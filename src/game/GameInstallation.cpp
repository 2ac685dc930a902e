// SPDX-License-Identifier: MIT
#include "game/GameInstallation.h"

#include "platform/FileNames.h"

namespace gameinstallation {

const QStringList& musicFileNames()
{
    static const QStringList names = {QStringLiteral("GR_Main_Theme.wav"), QStringLiteral("action1.wav"),
                                      QStringLiteral("load1.wav"),         QStringLiteral("load3.wav"),
                                      QStringLiteral("afteract_vic.wav"),  QStringLiteral("afteract_loss.wav")};
    return names;
}

bool holdsGame(const QString& gameFolder)
{
    return !gameFolder.isEmpty() && filenames::fileExists(gameFolder, executableName);
}

QString executablePath(const QString& gameFolder) { return filenames::resolve(gameFolder, executableName); }
QString optionsPath(const QString& gameFolder) { return filenames::resolve(gameFolder, optionsName); }
QString modsSetPath(const QString& gameFolder) { return filenames::resolve(gameFolder, modsSetName); }
QString modsFolder(const QString& gameFolder) { return filenames::resolve(gameFolder, modsFolderName); }

QString modDescriptionPath(const QString& gameFolder, const QString& modName)
{
    return filenames::resolve(gameFolder,
                              modsFolderName + QLatin1Char('/') + modName + QLatin1Char('/') + modDescriptionName);
}

QString musicFolder(const QString& gameFolder) { return filenames::resolve(gameFolder, musicFolderRelative); }

} // namespace gameinstallation

GameInstallation::GameInstallation(QObject* parent) : QObject(parent) {}

GameInstallation::GameInstallation(const QString& folder, QObject* parent) : QObject(parent), m_folder(folder) {}

void GameInstallation::setFolder(const QString& folder)
{
    if (folder == m_folder)
        return;
    m_folder = folder;
    emit folderChanged(m_folder);
}
