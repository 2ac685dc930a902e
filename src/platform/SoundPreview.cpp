// SPDX-License-Identifier: MIT
#include "platform/SoundPreview.h"

#include <QCoreApplication>

#include "platform/Module.h"

std::unique_ptr<SoundPreview> SoundPreview::load()
{
    using Make = SoundPreview* (*)();
    const auto make = reinterpret_cast<Make>(
        loadModuleEntry(QStringLiteral("morvane_soundpreview"), "morvane_make_sound_preview",
                        QCoreApplication::translate("SoundPreview", "音声を再生する部品 %1 を読み込めません。\n%2")));
    return std::unique_ptr<SoundPreview>(make());
}
