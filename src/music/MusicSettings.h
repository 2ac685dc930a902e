// SPDX-License-Identifier: MIT
#pragma once

#include "music/MusicFiles.h"

#include <QByteArray>
#include <QString>

#include <array>

class ProfileFile;

// The music page's keys of Morvane.ini: section "GRMusic", "Music1" to "Music6", the chosen file of
// each slot. The live values are the page's edits; this keeps the bytes each key was read as, so a
// value nobody changed is written back exactly, even when it is not valid code page 932.
class MusicSettings
{
public:
    static const QByteArray& section(); // "GRMusic"
    static QByteArray key(int slot);    // "Music1" for slot 0

    // Absent keys read as empty.
    void read(const ProfileFile& ini);
    // The text of a slot as read, for its edit.
    QString text(int slot) const;
    const QByteArray& bytes(int slot) const { return m_read.at(std::size_t(slot)); }

    // Writes the six keys from the edits' texts: a text equal to what was read keeps its bytes.
    void write(ProfileFile& ini, const MusicFiles::Choices& texts) const;

private:
    std::array<QByteArray, MusicFiles::SlotCount> m_read;
};
