// SPDX-License-Identifier: MIT
// Mod set files ("*.mst"): the entries of a set, saved as a set and read again, are the same.
#include "FuzzSupport.h"

#include "mods/ModSets.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString sets = [] {
        const QString folder = fuzz::folder() + QStringLiteral("/sets");
        QDir().mkpath(folder);
        return folder;
    }();
    const QString path = fuzz::writeFile(QStringLiteral("input.mst"), fuzz::bytes(data, size));
    const std::optional<QList<QByteArray>> entries = modsets::read(path);
    FUZZ_CHECK(entries.has_value());
    for (const QByteArray& entry : *entries)
        FUZZ_CHECK(!entry.contains('\r') && !entry.contains('\n') && !entry.contains('\0'));
    const QString name = QStringLiteral("Set");
    modsets::save(sets, name, *entries);
    FUZZ_CHECK(modsets::read(modsets::setPath(sets, name)) == entries);
    return 0;
}
