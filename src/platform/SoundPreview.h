// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <functional>
#include <memory>

// Plays one sound file at a time, for the music page's previews. Qt Multimedia lives in a module of
// its own, loaded the first time a preview plays, so a session that never previews never loads it.
class SoundPreview
{
public:
    virtual ~SoundPreview() = default;

    // Stops what plays and starts file. A file that cannot be played (not a sound, no audio device)
    // calls the error handler instead.
    virtual void play(const QString& file) = 0;
    virtual void stop() = 0;
    virtual void setErrorHandler(std::function<void()> handler) = 0;

    // Loads the module (platform/Module.h) and makes a player. Throws UserError naming the module
    // and why, when the module is missing or broken.
    static std::unique_ptr<SoundPreview> load();
};
