// SPDX-License-Identifier: MIT
#pragma once

#include <QFunctionPointer>
#include <QString>

// Parts that link a large library of their own (Qt Multimedia, Qt Network) are modules, loaded the
// first time they are needed, so that a session that never needs one never maps its libraries.
// Loads the module name and returns its function named entry. A module is looked for in
// $MORVANE_MODULE_DIR, beside the program (a build folder), then where an installation puts it; it is
// never unloaded. Throws UserError with cannotLoad (%1 the module's name, %2 the reason) when the
// module is missing or broken.
QFunctionPointer loadModuleEntry(const QString& name, const char* entry, const QString& cannotLoad);
