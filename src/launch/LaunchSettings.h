// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProfileKey.h"

// The launcher's key of Morvane.ini: the program that runs a Windows game here (empty: "wine" on
// PATH). Set by hand and only read, never written.
struct LaunchSettings
{
    ProfileKey<QString> gameRunner{"Path", "GameRunner", {}, KeyWritten::WhenReadOrChanged};

    static LaunchSettings read(const ProfileFile& ini);
};
