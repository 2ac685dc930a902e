// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <functional>

class HostGridModel;
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

    // On the first run (no file at path) offers the web host list; on "Yes" runs openWebList, which
    // may be empty while the web list dialog is not there. Returns true when the question was asked.
    bool CheckHostListFile(const QString& path, Prompter& prompter, const std::function<void()>& openWebList);
    // Appends the file's hosts after those already listed, up to the first empty address or until
    // the list is full; a missing file adds nothing. Returns how many were added. Throws UserError
    // when the file is there but cannot be read.
    int LoadHostList(const QString& path);
    // Writes all 50 pairs, empty ones for the free slots; the status texts are not stored. Other
    // lines of an existing file stay as they are. Throws UserError("<path> に書き込めません").
    void SaveHostList(const QString& path);

private:
    HostGridModel& m_hosts;
};
