// SPDX-License-Identifier: MIT
#pragma once

#include "mods/ModListModel.h"

#include <QObject>

#include <optional>

// The two mod lists of the "MOD" tab: the installed mods that are not active, and the active mods in
// the game's load order (the game starts them from the top down). They are the live state; the game's
// "modsset.txt" is read only by LoadModLists() and written only by WriteModsSet().
class ModLists : public QObject
{
    Q_OBJECT
public:
    // A "modsset.txt" larger than this is refused as unreadable rather than read in part: the end of
    // the program writes the active list back, and a part would replace the whole.
    static constexpr qint64 MaxModsSetBytes = 16 * 1024 * 1024;
    // A description is shown up to this size: real ones are a few lines, and a damaged megabyte would
    // hold the window up for a second at each click.
    static constexpr qint64 MaxDescriptionBytes = 64 * 1024;

    explicit ModLists(QObject* parent = nullptr);

    ModListModel& available() { return *m_available; } // ListBox1
    ModListModel& active() { return *m_active; }       // ListBox2
    const ModListModel& available() const { return *m_available; }
    const ModListModel& active() const { return *m_active; }

    // Scans the game's "Mods" folder and reads its "modsset.txt": the active list in file order (not
    // lower-cased, installed or not), the available list the installed mods that are not active. Throws
    // UserError when "modsset.txt" exists but cannot be read; both lists are then left as they were.
    // Without a game folder both lists are emptied.
    void LoadModLists(const QString& gameFolder);
    // Replaces "modsset.txt" atomically from the active list; throws UserError when it cannot (without
    // a game folder too), and while the last load could not read the file: the lists then hold what
    // that file never held (defaults, or another game's mods).
    void WriteModsSet(const QString& gameFolder) const;
    // The same for a list that is not this one's: a join with a host's mods puts another game's back.
    static void WriteModsSet(const QString& gameFolder, const QList<QByteArray>& activeEntries);

    // Double-click on an available entry: to the end of the active list.
    void activate(int availableRow);
    // Double-click on an active entry: back to the available list (at the end or its sorted place).
    void deactivate(int activeRow);
    // ">>": every available entry, in order, to the end of the active list.
    void activateAll();
    // "<<": every active entry, in order, to the available list.
    void deactivateAll();
    // The active list becomes `entries`: the former active entries go back to the available list, and
    // for each new entry the first available entry equal to it leaves the available list.
    void replaceActive(const QList<QByteArray>& entries);
    QList<QByteArray> activeEntries() const { return m_active->entries(); }

    // Whether either list holds the name, letter case ignored.
    bool isInstalled(QByteArrayView modName) const;

    // The mod's folder inside the game's "Mods" folder (found without regard to letter case), or empty
    // when there is none or the entry cannot name one.
    static QString modFolder(const QString& gameFolder, QByteArrayView entry);
    // The lines of the mod's "modscont.txt", or nothing when it cannot be read.
    static std::optional<QList<QByteArray>> description(const QString& gameFolder, QByteArrayView entry);

    // `available` without, for each active entry in order, the first entry equal to it.
    static QList<QByteArray> withoutActive(const QList<QByteArray>& available, const QList<QByteArray>& active);

private:
    ModListModel* m_available;
    ModListModel* m_active;
    bool m_loadFailed = false;
};
