// SPDX-License-Identifier: MIT
// The watch file ("hostwatch.txt"): the rules loaded from it, saved into it and loaded again, are
// the same rules.
#include "FuzzSupport.h"

#include "hosts/HostGridModel.h"
#include "hosts/HostWatches.h"
#include "platform/ProfileFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    const QString path = fuzz::writeFile(QStringLiteral("hostwatch.txt"), input);
    HostWatches watches;
    watches.load(path);
    const QList<hostwatch::Entry> entries = hostwatch::readEntries(ProfileFile::fromBytes(input));
    FUZZ_CHECK(watches.ruleCount() <= entries.size() && entries.size() <= hostwatch::SlotCount);
    for (const auto& [address, rule] : entries) {
        FUZZ_CHECK(rule.isSet() && rule.atLeast >= 0 && rule.atLeast <= hostwatch::MaxAtLeast);
        FUZZ_CHECK(watches.isWatched(address));
        watches.toolTip(address);
    }

    const HostGridModel hosts;
    watches.save(path, hosts);
    HostWatches again;
    again.load(path);
    FUZZ_CHECK(again.ruleCount() == watches.ruleCount());
    for (const auto& [address, rule] : entries)
        FUZZ_CHECK(again.rule(address) == watches.rule(address));
    return 0;
}
