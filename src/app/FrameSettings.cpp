// SPDX-License-Identifier: MIT
#include "app/FrameSettings.h"

#include "platform/ProfileFile.h"

namespace {

const QByteArray PathSection = QByteArrayLiteral("Path");
const QByteArray MainSection = QByteArrayLiteral("Morvane");
const QByteArray MusicSection = QByteArrayLiteral("GRMusic");

QByteArray musicKey(std::size_t i) { return QByteArrayLiteral("Music") + QByteArray::number(qulonglong(i + 1)); }

} // namespace

FrameSettings FrameSettings::read(const ProfileFile& ini, const QString& defaultFolder)
{
    FrameSettings s;
    s.gameFolder = KeptText(ini.readString(PathSection, "GhostReconPath", cp932::fromUnicode(defaultFolder)));
    s.inTray = ini.readBool(MainSection, "InTray", false);
    s.noClose = ini.readBool(MainSection, "NoClose", false);
    for (std::size_t i = 0; i < s.music.size(); ++i)
        s.music[i] = KeptText(ini.readString(MusicSection, musicKey(i)));
    return s;
}

void FrameSettings::write(ProfileFile& ini, const QString& currentFolder,
                          const std::array<QString, 6>& currentMusic) const
{
    ini.writeString(PathSection, "GhostReconPath", gameFolder.bytesFor(currentFolder));
    ini.writeBool(MainSection, "InTray", inTray);
    ini.writeBool(MainSection, "NoClose", noClose);
    for (std::size_t i = 0; i < music.size(); ++i)
        ini.writeString(MusicSection, musicKey(i), music[i].bytesFor(currentMusic[i]));
}
