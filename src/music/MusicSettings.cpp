// SPDX-License-Identifier: MIT
#include "music/MusicSettings.h"

MusicSettings MusicSettings::read(const ProfileFile& ini)
{
    MusicSettings s;
    for (ProfileKey<QString>& file : s.files)
        file.read(ini);
    return s;
}

void MusicSettings::write(ProfileFile& ini, const MusicFiles::Choices& filesNow) const
{
    for (std::size_t slot = 0; slot < files.size(); ++slot)
        files[slot].write(ini, filesNow[slot]);
}
