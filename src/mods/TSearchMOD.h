// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// The mod folder scanner: made with a search pattern (a folder path ending in a wildcard), Search()
// once, then FoundMods holds the names of the mod folders found, lower-cased, in the order the file
// system lists them.
//
// A mod is a folder whose attribute word is exactly "directory": a folder that is also read-only,
// hidden, system or archive does not count. "Origmiss", the game's own content, is left out in that
// exact spelling only. Names that the game could not read back from "modsset.txt" (characters code
// page 932 cannot hold, control characters, characters Windows forbids in names) are left out too.
class TSearchMOD
{
public:
    explicit TSearchMOD(QString pattern) : m_pattern(std::move(pattern)) {}

    void Search();

    QStringList FoundMods;

private:
    QString m_pattern;
};
