// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <functional>

class HostGridModel;
class ProfileFile;
class Prompter;

// Moves the host list between the grid's model and "hostlist.txt", a profile file with the
// section "HostList" and the key pairs Hostname1/HostIP1 to Hostname50/HostIP50. Holds no data of
// its own: make one where it is needed and let it go right after.
class THostList
{
public:
    static constexpr int SlotCount = 50;
    static QString fileName() { return QStringLiteral("hostlist.txt"); }

    explicit THostList(HostGridModel& hosts) : m_hosts(hosts) {}

    // On the first run (no file at path) offers the web host list; on "Yes" runs openWebList. With
    // no openWebList (no place to download from) nothing is asked. Returns true when it asked.
    bool CheckHostListFile(const QString& path, Prompter& prompter, const std::function<void()>& openWebList);
    // Appends the file's hosts after those already listed, up to the first empty address or until
    // the list is full; a missing file adds nothing. Returns how many were added. Throws UserError
    // when the file is there but cannot be read.
    int LoadHostList(const QString& path);
    int LoadHostList(const ProfileFile& file);
    // Replaces the file at path, atomically, by one that holds exactly the listed hosts (pairs 1 to
    // the host count, no empty slots). With no host listed and no file there, nothing is made.
    // Returns the number of hosts written. Throws UserError("<path> に書き込めません").
    int ExportHostList(const QString& path);
    // Writes all 50 pairs, empty ones for the free slots; the status texts are not stored. Other
    // lines of an existing file stay as they are. Throws UserError("<path> に書き込めません").
    void SaveHostList(const QString& path);

private:
    HostGridModel& m_hosts;
};
