// SPDX-License-Identifier: MIT
#include "app/FrameSettings.h"

FrameSettings FrameSettings::read(const ProfileFile& ini, const QString& defaultFolder)
{
    FrameSettings s;
    s.gameFolder.read(ini, defaultFolder);
    s.inTray.read(ini);
    s.noClose.read(ini);
    s.language.read(ini);
    return s;
}

void FrameSettings::write(ProfileFile& ini, const QString& folder, bool inTrayNow, bool noCloseNow,
                          const QByteArray& languageNow) const
{
    gameFolder.write(ini, folder);
    inTray.write(ini, inTrayNow);
    noClose.write(ini, noCloseNow);
    language.write(ini, languageNow.isEmpty() ? language.value() : languageNow);
}
