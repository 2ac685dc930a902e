// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <optional>

class Prompter;

// Making sure the game folder holds the game, and choosing another installation.
namespace gamefolder {

// The folder picker: a folder text that names no existing folder is emptied first (nothing is
// preselected, and on cancel the caller's text stays empty). True and the chosen path on confirm. A
// folder whose path code page 932 cannot hold is refused with a message and the picker shown again.
bool BrowseForFolder(Prompter& prompter, const QString& title, QString& folder);

// Start-up check. False when the game could not be found and the program must end; the folder
// may then have been changed (emptied when it did not exist).
bool EnsureGameFolder(Prompter& prompter, QString& gameFolder);

// The picker loop of the menu item "GhostReconフォルダ指定": the chosen folder that holds the game,
// or nothing when the user cancelled or picked the current folder again.
std::optional<QString> chooseOtherInstallation(Prompter& prompter, const QString& gameFolder);

// The question that follows a change: true when the new game's mods and options are to be read.
bool askReloadNewGame(Prompter& prompter);

} // namespace gamefolder
