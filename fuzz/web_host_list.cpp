// SPDX-License-Identifier: MIT
// The published host list as downloaded: at most 50 entries with usable addresses, none marked as
// listed while the grid is empty, and once imported every added address is found listed.
#include "FuzzSupport.h"

#include "hosts/HostGridModel.h"
#include "hosts/WebHostList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    HostGridModel hosts;
    const QList<WebHostEntry> entries = webhostlist::read(input, hosts);
    FUZZ_CHECK(entries.size() <= webhostlist::MaxEntries);
    for (const WebHostEntry& e : entries) {
        FUZZ_CHECK(HostGridModel::isUsableAddress(e.address));
        FUZZ_CHECK(!e.registered);
    }
    const webhostlist::ImportResult imported = webhostlist::importHosts(hosts, entries);
    FUZZ_CHECK(imported.added + imported.refused == entries.size());
    FUZZ_CHECK(hosts.hostCount() == imported.added);
    const QList<WebHostEntry> again = webhostlist::read(input, hosts);
    FUZZ_CHECK(again.size() == entries.size());
    for (const WebHostEntry& e : again)
        FUZZ_CHECK(e.registered && !e.checked);
    return 0;
}
