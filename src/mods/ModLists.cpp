// SPDX-License-Identifier: MIT
#include "mods/ModLists.h"

#include "game/GameInstallation.h"
#include "mods/ModRules.h"
#include "mods/TSearchMOD.h"
#include "platform/Cp932.h"
#include "platform/Errors.h"
#include "platform/FileNames.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

ModLists::ModLists(QObject* parent)
    : QObject(parent), m_available(new ModListModel(this)), m_active(new ModListModel(this))
{
    m_available->setObjectName(QStringLiteral("availableMods"));
    m_active->setObjectName(QStringLiteral("activeMods"));
}

QList<QByteArray> ModLists::withoutActive(const QList<QByteArray>& available, const QList<QByteArray>& active)
{
    if (active.isEmpty())
        return available;
    // Rows of each name in list order; every active entry takes the first one still there.
    QHash<QString, QList<qsizetype>> rows;
    for (qsizetype i = 0; i < available.size(); ++i)
        rows[modrules::foldKey(available[i])].append(i);
    QList<bool> removed(available.size(), false);
    for (const QByteArray& entry : active) {
        const auto it = rows.find(modrules::foldKey(entry));
        if (it == rows.end() || it->isEmpty())
            continue;
        removed[it->takeFirst()] = true;
    }
    QList<QByteArray> left;
    left.reserve(available.size());
    for (qsizetype i = 0; i < available.size(); ++i) {
        if (!removed[i])
            left.append(available[i]);
    }
    return left;
}

void ModLists::LoadModLists(const QString& gameFolder)
{
    // No game (start-up could not find one): nothing is installed, and no path may fall back to the
    // working folder.
    if (gameFolder.isEmpty()) {
        m_available->clear();
        m_active->clear();
        m_loadFailed = false;
        return;
    }
    // The file first: when it cannot be read, nothing changes, and nothing may be written until a
    // load succeeds.
    m_loadFailed = true;
    QList<QByteArray> activeEntries;
    const QString path = gameinstallation::modsSetPath(gameFolder);
    if (const std::optional<QByteArray> bytes = textfile::readExisting(path, MaxModsSetBytes + 1)) {
        if (bytes->size() > MaxModsSetBytes)
            throw UserError(cannotReadMessage(path, tr("ファイルが大きすぎます")));
        activeEntries = modrules::parseModsSet(*bytes);
    }

    TSearchMOD search(gameinstallation::modsFolder(gameFolder) + QStringLiteral("/*.*"));
    search.Search();
    QList<QByteArray> installed;
    installed.reserve(search.FoundMods.size());
    for (const QString& name : std::as_const(search.FoundMods))
        installed.append(cp932::fromUnicode(name));

    m_available->setEntries(withoutActive(installed, activeEntries));
    m_active->setEntries(activeEntries);
    m_loadFailed = false;
}

void ModLists::WriteModsSet(const QString& gameFolder) const
{
    if (m_loadFailed && !gameFolder.isEmpty())
        throw UserError(tr("%1 を読み込めなかったため、MODの構成を書き換えられません")
                            .arg(QDir::toNativeSeparators(gameinstallation::modsSetPath(gameFolder))));
    WriteModsSet(gameFolder, m_active->entries());
}

void ModLists::WriteModsSet(const QString& gameFolder, const QList<QByteArray>& activeEntries)
{
    if (gameFolder.isEmpty())
        throw UserError(
            tr("GhostReconのフォルダが決まっていないため %1 を書き込めません").arg(gameinstallation::modsSetName));
    textfile::writeAtomic(gameinstallation::modsSetPath(gameFolder), modrules::formatModsSet(activeEntries));
}

void ModLists::activate(int availableRow)
{
    if (availableRow < 0 || availableRow >= m_available->count())
        return;
    m_active->add(m_available->entry(availableRow));
    m_available->removeAt(availableRow);
}

void ModLists::deactivate(int activeRow)
{
    if (activeRow < 0 || activeRow >= m_active->count())
        return;
    m_available->add(m_active->entry(activeRow));
    m_active->removeAt(activeRow);
}

void ModLists::activateAll()
{
    m_active->addAll(m_available->entries());
    m_available->clear();
}

void ModLists::deactivateAll()
{
    m_available->addAll(m_active->entries());
    m_active->clear();
}

void ModLists::replaceActive(const QList<QByteArray>& entries)
{
    deactivateAll();
    m_available->setEntries(withoutActive(m_available->entries(), entries));
    m_active->setEntries(entries);
}

bool ModLists::isInstalled(QByteArrayView modName) const
{
    return m_available->indexOf(modName) >= 0 || m_active->indexOf(modName) >= 0;
}

QString ModLists::modFolder(const QString& gameFolder, QByteArrayView entry)
{
    if (!modrules::namesModFolder(entry))
        return {};
    const QString mods = gameinstallation::modsFolder(gameFolder);
    const QString direct = filenames::resolve(mods, cp932::toUnicode(entry));
    if (QFileInfo(direct).isDir())
        return direct;
    // Names the plain look-up cannot match: letters beyond A-Z in another case, or characters that
    // code page 932 spells differently from the name on disk.
    const QStringList folders =
        QDir(mods).entryList(QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& folder : folders) {
        if (modrules::sameMod(cp932::fromUnicode(folder), entry))
            return QDir(mods).filePath(folder);
    }
    return {};
}

std::optional<QList<QByteArray>> ModLists::description(const QString& gameFolder, QByteArrayView entry)
{
    const QString folder = modFolder(gameFolder, entry);
    if (folder.isEmpty())
        return std::nullopt;
    const std::optional<QByteArray> bytes =
        textfile::read(filenames::resolve(folder, gameinstallation::modDescriptionName), MaxDescriptionBytes);
    if (!bytes)
        return std::nullopt;
    return textfile::splitLines(*bytes);
}
