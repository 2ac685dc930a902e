// SPDX-License-Identifier: MIT
// The host list ("hostlist.txt"): the hosts loaded from it come back the same after the program's
// save into the same file and after an export into a new one.
#include "FuzzSupport.h"

#include "hosts/HostGridModel.h"
#include "hosts/THostList.h"

namespace {

bool sameHosts(const HostGridModel& a, const HostGridModel& b)
{
    if (a.hostCount() != b.hostCount())
        return false;
    for (int i = 0; i < a.hostCount(); ++i) {
        if (a.host(i).name != b.host(i).name || a.host(i).address != b.host(i).address)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::writeFile(QStringLiteral("hostlist.txt"), fuzz::bytes(data, size));
    HostGridModel hosts;
    const int added = THostList(hosts).LoadHostList(path);
    FUZZ_CHECK(added == hosts.hostCount() && added <= THostList::SlotCount);

    THostList(hosts).SaveHostList(path);
    HostGridModel saved;
    THostList(saved).LoadHostList(path);
    FUZZ_CHECK(sameHosts(saved, hosts));

    const QString exported = fuzz::folder() + QStringLiteral("/exported.txt");
    THostList(hosts).ExportHostList(exported);
    HostGridModel imported;
    THostList(imported).LoadHostList(exported);
    FUZZ_CHECK(sameHosts(imported, hosts));
    return 0;
}
