// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace executables {

// True for a file this system can start itself (an executable ELF file or script); a Windows
// program ("MZ") is not, and goes through Wine.
bool isNativeExecutable(const QString& path);
// The first executable named `name` in the folders of PATH, or empty.
QString findOnPath(const QString& name);

} // namespace executables
