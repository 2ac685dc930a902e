// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QtGlobal>

// One host's information as the query program reported it ("hostinfo.dat"). Texts are the
// code-page-932 bytes qstat wrote; a record starts empty for every fetch.
struct TQStatData
{
    QByteArray ServerName;
    bool Dedicated = false;
    qint32 Players = 0;
    qint32 MaxPlayers = 0;
    QByteArray Mods; // at most MaxModsBytes, cut at a character boundary
    QByteArray Patch;
    QByteArray Map;
    QByteArray Mission;
    QByteArray GameMode;
    QByteArray MissionType;

    static constexpr qsizetype MaxModsBytes = 510;
};
