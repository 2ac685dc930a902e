// SPDX-License-Identifier: MIT
#include "status/StatusRules.h"

#include "hosts/HostGridModel.h"
#include "platform/Cp932.h"
#include "status/QueryFiles.h"

namespace statusrules {

namespace {

// The player count of a line: plain decimal digits, few enough that adding one cannot overflow.
bool parseCount(QByteArrayView digits, int& value)
{
    if (digits.isEmpty() || digits.size() > 6)
        return false;
    value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

} // namespace

QByteArray statusCellText(QByteArrayView line)
{
    if (line == queryfiles::NoAnswer)
        return {};
    const qsizetype close = line.indexOf(']');
    if (close < 0)
        return {};
    const QByteArrayView throughClose = line.first(close + 1);
    if (line.sliced(close + 1) == "No") {
        // qstat leaves the hosting player out of both numbers of a host that is not dedicated.
        const qsizetype slash = line.indexOf('/');
        int players = 0;
        if (slash >= 0 && slash < close && parseCount(line.first(slash), players)) {
            const qsizetype open = line.indexOf('[', slash);
            int maximum = 0;
            if (open > slash && open < close && parseCount(line.sliced(slash + 1, open - slash - 1), maximum))
                return QByteArray::number(players + 1) + '/' + QByteArray::number(maximum + 1) +
                       line.sliced(open, close + 1 - open).toByteArray();
            return QByteArray::number(players + 1) + line.sliced(slash, close + 1 - slash).toByteArray();
        }
    }
    return throughClose.toByteArray();
}

void ApplyStatusResults(HostGridModel& hosts, const QList<QByteArray>& results, bool moveLiveUp)
{
    hosts.clearStatuses();
    const qsizetype lines = std::min<qsizetype>(results.size(), hosts.hostCount());
    for (qsizetype k = 0; k < lines; ++k) {
        const int row = static_cast<int>(k);
        hosts.setStatus(row, cp932::toUnicode(statusCellText(results.at(k))));
        if (moveLiveUp)
            MoveLiveHostsUp(hosts);
    }
}

void MoveLiveHostsUp(HostGridModel& hosts)
{
    int r = hosts.hostCount() - 1;
    while (r > 0) {
        if (hosts.isLive(r)) {
            int j = 0;
            while (j < r && hosts.isLive(j))
                ++j;
            if (j < r) {
                hosts.moveHostRow(r, j);
                continue;
            }
        }
        --r;
    }
}

} // namespace statusrules
