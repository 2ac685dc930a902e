// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

class HostGridModel;

// What goes wrong inside the query program, told to the user instead of vanishing: its exit code,
// its error output, and the addresses it cannot take.
namespace queryproblems {

// qstat (2.17 as observed) reads its address file word by word and takes the port after the first
// ":" with C's number rules. So an address with a blank becomes two hosts of its own, a port that is 0
// modulo 65536 ("host:0", "host:65536") drops the host without a line, and a line past about 200
// bytes crashes the whole run. Each of these would put every later host's status on the wrong row.
constexpr qsizetype MaxAddressBytes = 200;

// Why qstat cannot take this address, or empty when it can.
QString rejectionReason(QByteArrayView address);

// The status run's address file: the hosts qstat can take ("GRS " and the address, CR LF each), in
// the grid's order, and which hosts were sent and which were left out.
struct AddressPlan
{
    QByteArray bytes;
    QList<int> sent;     // host indexes, in file order
    QList<int> rejected; // host indexes
};
AddressPlan planAddresses(const HostGridModel& hosts);

// The results of the sent hosts spread back to one line per host; a host that was not sent, or
// whose line is missing, did not answer.
QList<QByteArray> resultsPerHost(const QList<QByteArray>& results, const QList<int>& sent, int hostCount);

// "「name」(address) は …" for each host left out, one a line.
QString rejectedText(const HostGridModel& hosts, const QList<int>& rejected);

// How a run of the query program ended, for the user.
struct RunReport
{
    int exitCode = 0;
    bool crashed = false;
    bool timedOut = false;
    int timeoutMs = 0;
    QByteArray errorOutput; // what it wrote to its error output, at most MaxErrorOutput bytes

    bool isClean() const { return !crashed && !timedOut && exitCode == 0 && errorOutput.trimmed().isEmpty(); }
};
// Error output beyond this is dropped: the user is shown a few lines at most.
constexpr qsizetype MaxErrorOutput = 8192;

// Empty for a clean run; otherwise how it ended and the first lines of its error output.
QString runProblemText(const RunReport& report);

} // namespace queryproblems
