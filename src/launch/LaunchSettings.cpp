// SPDX-License-Identifier: MIT
#include "launch/LaunchSettings.h"

#include "platform/Cp932.h"
#include "platform/ProfileFile.h"

LaunchSettings LaunchSettings::read(const ProfileFile& ini)
{
    return LaunchSettings{cp932::toUnicode(ini.readString("Path", "GameRunner"))};
}
