// SPDX-License-Identifier: MIT
#include "app/FrameSettings.h"

#include "platform/ProfileFile.h"

namespace {

const QByteArray PathSection = QByteArrayLiteral("Path");
const QByteArray MainSection = QByteArrayLiteral("Morvane");

} // namespace

FrameSettings FrameSettings::read(const ProfileFile& ini, const QString& defaultFolder)
{
    FrameSettings s;
    s.gameFolder = KeptText(ini.readString(PathSection, "GhostReconPath", cp932::fromUnicode(defaultFolder)));
    s.inTray = ini.readBool(MainSection, "InTray", false);
    s.noClose = ini.readBool(MainSection, "NoClose", false);
    return s;
}

void FrameSettings::write(ProfileFile& ini, const QString& currentFolder) const
{
    ini.writeString(PathSection, "GhostReconPath", gameFolder.bytesFor(currentFolder));
    ini.writeBool(MainSection, "InTray", inTray);
    ini.writeBool(MainSection, "NoClose", noClose);
}
