// SPDX-License-Identifier: MIT
#include "mods/TSearchMOD.h"

#include "game/GameInstallation.h"
#include "platform/Cp932.h"
#include "platform/FileNames.h"
#include "platform/FolderListing.h"

void TSearchMOD::Search()
{
    FoundMods.clear();
    for (const folderlisting::Entry& entry : folderlisting::find(m_pattern)) {
        if (entry.attributes != folderlisting::Directory)
            continue;
        if (entry.name == gameinstallation::originalModName || entry.name == QLatin1String(".") ||
            entry.name == QLatin1String(".."))
            continue;
        // Folders that only another system can make (a name with a line break or a backslash) would
        // come back from "modsset.txt" as another name.
        if (!filenames::setNameError(entry.name).isEmpty())
            continue;
        // '?' is refused above, so a '?' here is a character that code page 932 cannot hold.
        if (cp932::fromUnicode(entry.name).contains('?'))
            continue;
        FoundMods.append(entry.name.toLower());
    }
}
