// SPDX-License-Identifier: MIT
// The address history ("iphistory.txt"): at most ten entries, saved and loaded again unchanged.
#include "FuzzSupport.h"

#include "launch/AddressHistory.h"
#include "platform/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    const QString path = fuzz::writeFile(QStringLiteral("iphistory.txt"), input);
    AddressHistory history;
    history.loadFile(path);
    FUZZ_CHECK(history.entries() == textfile::splitLines(input).mid(0, AddressHistory::MaxEntries));
    history.texts();
    history.saveFile(path);
    AddressHistory again;
    again.loadFile(path);
    FUZZ_CHECK(again.entries() == history.entries());
    return 0;
}
