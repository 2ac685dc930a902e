// SPDX-License-Identifier: MIT
// The query program's status output ("qout.dat"), read as the status check reads it and applied to
// a full host grid: at most one result a host, each the line qstat wrote (cut to its bound), and
// the status cells and watch counts made from them.
#include "FuzzSupport.h"

#include "hosts/HostGridModel.h"
#include "hosts/HostWatchRules.h"
#include "platform/Cp932.h"
#include "platform/TextFile.h"
#include "status/QueryFiles.h"
#include "status/StatusRules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    const QString path = fuzz::writeFile(QStringLiteral("qout.dat"), input);
    static HostGridModel& hosts = *[] {
        auto* grid = new HostGridModel;
        for (int i = 0; i < HostGridModel::MaxHostCount; ++i)
            grid->appendHost("host" + QByteArray::number(i), "127.0.0.1:" + QByteArray::number(2346 + i));
        return grid;
    }();

    const QList<QByteArray> results = queryfiles::readStatusResults(path, hosts.hostCount());
    const QList<QByteArray> lines = textfile::splitLines(input);
    FUZZ_CHECK(results.size() == std::min<qsizetype>(lines.size(), hosts.hostCount()));
    for (qsizetype k = 0; k < results.size(); ++k) {
        const QByteArray& result = results[k];
        FUZZ_CHECK(result == queryfiles::NoAnswer || lines[k].startsWith(result));
        const QByteArray cell = statusrules::statusCellText(result);
        FUZZ_CHECK(!cell.contains('\r') && !cell.contains('\n'));
        hostwatch::parseStatusCell(cp932::toUnicode(cell));
    }
    statusrules::ApplyStatusResults(hosts, results, size % 2 == 0);
    FUZZ_CHECK(hosts.hostCount() == HostGridModel::MaxHostCount);
    return 0;
}
