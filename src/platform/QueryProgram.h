// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// Where the game-server query program qstat is found. On Windows it lies in the program folder as
// "qstat.exe". Elsewhere a native "qstat.exe" or "qstat" in the program folder comes first (a
// portable install), then the system's copy on PATH: Debian installs it as quakestat.
namespace queryprogram {

// The program to start, or empty when there is none.
QString find(const QString& programFolder);

// The places find() looks at, in its order, for telling the user what is missing.
QStringList candidates(const QString& programFolder);

} // namespace queryprogram
