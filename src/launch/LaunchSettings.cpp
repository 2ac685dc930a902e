// SPDX-License-Identifier: MIT
#include "launch/LaunchSettings.h"

LaunchSettings LaunchSettings::read(const ProfileFile& ini)
{
    LaunchSettings s;
    s.gameRunner.read(ini);
    return s;
}
