// SPDX-License-Identifier: MIT
#include "platform/SoundPreview.h"

#include "platform/Module.h"

std::unique_ptr<SoundPreview> SoundPreview::load()
{
    using Make = SoundPreview* (*)();
    const auto make = reinterpret_cast<Make>(loadModuleEntry(
        QStringLiteral("morvane_soundpreview"), "morvane_make_sound_preview", QStringLiteral("音声を再生する")));
    return std::unique_ptr<SoundPreview>(make());
}
