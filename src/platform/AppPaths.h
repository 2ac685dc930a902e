// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace apppaths {

// The folder of the executable when it is writable, else the per-user data folder; the environment
// variable MORVANE_HOME overrides both. No trailing separator.
QString programFolder();
// Where the game installs by default: on Windows its own folder, elsewhere the same folder inside
// Wine's drive C ($WINEPREFIX, else ~/.wine).
QString defaultGameFolder();
// A path of the program folder or the game folder joined with a file name.
QString join(const QString& folder, const QString& name);

} // namespace apppaths
