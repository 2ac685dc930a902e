// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProfileFile.h"

#include <QString>

#include <functional>

// The program's own settings file, "Morvane.ini" in the program folder. It is read once at start-up
// and saved once at the end; in between every subsystem reads and writes its own keys on the one
// ProfileFile held here, and the live values sit in their menu items and fields.
class Settings
{
public:
    static QString fileName() { return QStringLiteral("Morvane.ini"); }

    explicit Settings(const QString& programFolder);

    const QString& path() const { return m_path; }
    // Reads the file: false when there is none (every setting keeps its designed value and the file is
    // made at the end). Throws UserError when it exists but cannot be read.
    bool read();
    bool existed() const { return m_existed; }

    const ProfileFile& file() const { return m_file; }

    // Lets writeKeys put each subsystem's keys into the file, then saves it atomically. Sections the
    // file lacks come in the program's order ("Path", "StartUp", "Morvane", "GRMusic"), whichever
    // subsystem writes first, as they would if the keys were written one by one in that order.
    // Throws UserError("<path> に書き込めません").
    void write(const std::function<void(ProfileFile&)>& writeKeys);

private:
    QString m_path;
    ProfileFile m_file;
    bool m_existed = false;
};
