// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

class HostGridModel;

// How the status results reach the host grid's status column.
namespace statusrules {

// The status cell for one result line: the players, the maximum and the remaining time, as
// "3/16[25]". A host that is not dedicated ("...]No") counts its hosting player in both numbers, which
// qstat leaves out, so "3/16[25]No" gives "4/17[25]". A line that does not follow the template shows its text through
// the first
// "]", and a line without "]" or a host that did not answer gives an empty cell.
QByteArray statusCellText(QByteArrayView line);

// Empties the status cell of every host, then fills them from the results, the k-th line for the
// k-th host; lines past the last host are ignored. With moveLiveUp, live hosts move up after
// each line, ahead of the hosts that did not answer, each group keeping its order.
void ApplyStatusResults(HostGridModel& hosts, const QList<QByteArray>& results, bool moveLiveUp);

// Moves every live host up to just below the live hosts above it.
void MoveLiveHostsUp(HostGridModel& hosts);

} // namespace statusrules
