// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

class Prompter;

// A file the program reads at start-up and writes back at the end: the settings, the host list, the
// address history, the game's active-mod file and its options document. It is written back only
// when it was read, so a file that could not be read (or was never read because start-up stopped
// short) is never replaced by whatever the program happened to hold.
class Store
{
public:
    using Step = std::function<void()>;

    // load reads the file into the program's state and throws UserError when the file exists but
    // cannot be read; save writes the state back and throws UserError when it cannot.
    Store(Prompter& prompter, Step load, Step save);

    // Reads through the handler guard: a failure is shown with its own text and leaves the store not
    // loaded. A store read again (another game folder) stays loaded only if this read succeeds.
    bool load();
    // Writes through the handler guard, and only when loaded. True when written.
    bool save();
    bool isLoaded() const { return m_loaded; }
    // From now on the end writes nothing back (start-up found the game unusable).
    void unload() { m_loaded = false; }

private:
    Prompter& m_prompter;
    Step m_load;
    Step m_save;
    bool m_loaded = false;
};
