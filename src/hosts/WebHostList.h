// SPDX-License-Identifier: MIT
#pragma once

#include "platform/HttpTask.h"

#include <QByteArray>
#include <QList>
#include <QString>

class HostGridModel;

// The published host list: a profile file with the section "HostList" and the key pairs
// "Hostname:1"/"HostIP:1", "Hostname:2"/"HostIP:2" and so on (a colon before the number, unlike
// "hostlist.txt"). The last download is kept in the program folder as "hostlist.tmp", byte for byte.
struct WebHostEntry
{
    QByteArray name;
    QByteArray address;
    bool registered = false; // the address is already in the host list, exactly
    bool checked = false;    // starts checked for the import
};

namespace webhostlist {

inline QString tempFileName() { return QStringLiteral("hostlist.tmp"); }
constexpr qint64 MaxBodyBytes = 1 << 20;
constexpr int MaxEntries = 50;

// The GET of the list: no cached copy wanted, bounded in time and size.
HttpRequest request(const QByteArray& url);

// The entries of a downloaded list, read up to the first empty or missing address and at most 50.
// An entry is registered when its address equals, byte for byte and with letter case, the address
// of a listed host; only new entries start checked, and of several with one address only the
// first. Addresses that cannot be a host's (blanks only, control bytes) are left out.
QList<WebHostEntry> read(const QByteArray& body, const HostGridModel& hosts);

struct ImportResult
{
    int added = 0;
    int refused = 0; // did not fit: the list was full
};
// Appends the entries, in order, while the list has room.
ImportResult importHosts(HostGridModel& hosts, const QList<WebHostEntry>& entries);

// The message for a failed download, with the HTTP client's own text as the reason.
QString downloadFailedMessage(const QString& reason);
// What to do while no URL is set.
QString noUrlMessage();

} // namespace webhostlist
