// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class ProfileFile;

// The launcher's key of Morvane.ini: "GameRunner" in section "Path", the program that runs a Windows
// game here (empty: "wine" on PATH). Set by hand and only read, never written.
struct LaunchSettings
{
    QString gameRunner;

    static LaunchSettings read(const ProfileFile& ini);
};
