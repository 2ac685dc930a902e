// SPDX-License-Identifier: MIT
// The game's active mod list ("modsset.txt"), loaded into the mod tab's lists from a game folder,
// written back and loaded again: the same entries in the same order, as the game spells them
// (single-byte letters lowered).
#include "FuzzSupport.h"

#include "game/GameInstallation.h"
#include "mods/ModLists.h"
#include "platform/Cp932.h"
#include "platform/TextFile.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString game = [] {
        const QString folder = fuzz::folder() + QStringLiteral("/game");
        for (const char* mod : {"HeavyArms", "UrbanOps", "origmiss"})
            QDir().mkpath(gameinstallation::modsFolder(folder) + QLatin1Char('/') + QLatin1String(mod));
        return folder;
    }();
    textfile::writeAtomic(gameinstallation::modsSetPath(game), fuzz::bytes(data, size));

    ModLists lists;
    lists.LoadModLists(game);
    const QList<QByteArray> active = lists.activeEntries();
    for (const QByteArray& entry : active)
        FUZZ_CHECK(!entry.contains('\r') && !entry.contains('\n') && !entry.contains('\0'));
    // The folder an entry names stays inside "Mods".
    const QString mods = QDir::cleanPath(gameinstallation::modsFolder(game)) + QLatin1Char('/');
    for (const QByteArray& entry : active) {
        const QString folder = ModLists::modFolder(game, entry);
        FUZZ_CHECK(folder.isEmpty() || QDir::cleanPath(folder).startsWith(mods));
    }

    lists.WriteModsSet(game);
    ModLists again;
    again.LoadModLists(game);
    QList<QByteArray> expected;
    for (const QByteArray& entry : active)
        expected.append(cp932::asciiLower(entry));
    FUZZ_CHECK(again.activeEntries() == expected);
    return 0;
}
