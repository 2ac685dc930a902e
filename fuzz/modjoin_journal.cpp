// SPDX-License-Identifier: MIT
// The join journal ("modjoin.txt"): a journal read from the bytes, written as the join writes it,
// reads back the same.
#include "FuzzSupport.h"

#include "status/ModJoinRules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::optional<modjoin::Journal> journal = modjoin::parseJournal(fuzz::bytes(data, size));
    if (!journal)
        return 0;
    FUZZ_CHECK(!journal->gameFolder.isEmpty());
    modjoin::listText(journal->previousActive);
    FUZZ_CHECK(modjoin::parseJournal(modjoin::formatJournal(*journal)) == journal);
    return 0;
}
