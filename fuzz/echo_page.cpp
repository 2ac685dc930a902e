// SPDX-License-Identifier: MIT
// The address-echo page: an address found is one line of the page, not empty; a plain page gives
// only a real address.
#include "FuzzSupport.h"

#include "launch/PublicAddress.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    const std::optional<QByteArray> address = publicaddress::parseEchoPage(input);
    if (address) {
        FUZZ_CHECK(!address->isEmpty());
        FUZZ_CHECK(!address->contains('\r') && !address->contains('\n'));
        if (textfile::splitLines(input).size() == 1)
            FUZZ_CHECK(publicaddress::isIpAddress(*address));
    }
    try {
        const QString shown = publicaddress::addressFromPage(input);
        FUZZ_CHECK(address && !shown.isEmpty());
    } catch (const UserError&) {
        FUZZ_CHECK(!address);
    }
    return 0;
}
