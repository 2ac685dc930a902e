// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>

#include <array>

// The game's six music files and their backup. Applying replaces a game file with the user's
// choice, keeping the game's own file once in the backup folder beside it; restoring moves the
// backed-up files back and removes the backup folder once it is empty. The game's own music is
// never lost: a slot whose file cannot be backed up, or whose choice cannot be copied whole, is
// left exactly as it was, and so is a slot whose game file is a symbolic link.
class MusicFiles
{
public:
    static constexpr int SlotCount = 6;
    using Choices = std::array<QString, SlotCount>;

    // One slot that could not be applied or restored, with the reason the user sees.
    struct Failure
    {
        int slot = 0; // 0-based
        QString reason;
    };

    struct ApplyResult
    {
        int chosen = 0;  // slots with a choice
        int applied = 0; // slots whose chosen file is now in the music folder
        QList<Failure> failures;
    };

    struct RestoreResult
    {
        QList<int> restored; // slots whose game file came back
        QList<Failure> failures;
        bool backupRemoved = false;
    };

    static const QString& backupFolderName(); // "bak(Morvane)"

    // The game folder's music folder, each part of it found in any letter case.
    static QString findMusicFolder(const QString& gameFolder);

    explicit MusicFiles(QString musicFolder = {});

    const QString& musicFolder() const { return m_musicFolder; }
    QString backupFolder() const;
    // The game file of a slot in the music folder, and where its backup lies (both in any case).
    QString gameFilePath(int slot) const;
    QString backupFilePath(int slot) const;
    bool isBackedUp(int slot) const;

    // Moves the slot's game file into the backup folder, unless the backup already holds the game's
    // own file. Throws UserError when the folder cannot be made or the file cannot be moved.
    void SaveOriginalMusic(int slot);

    // Applies every slot whose choice is not empty, in slot order. Throws UserError when the music
    // folder is missing; a failing slot is reported in the result and the others still run.
    ApplyResult apply(const Choices& chosen);

    // Moves every backed-up file back over the music folder's file, then removes the backup folder
    // when nothing is left in it.
    RestoreResult restore();

    // Why a chosen file cannot replace a game file, or empty when it can: it must be a readable file
    // that starts as a RIFF WAVE file does.
    static QString checkChosenFile(const QString& path);

private:
    void applySlot(int slot, const QString& source);
    void ensureBackupFolder() const;

    QString m_musicFolder;
};
