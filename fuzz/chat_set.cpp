// SPDX-License-Identifier: MIT
// Chat set files ("*.lst"): the slots read from a set, written back into it, read back the same.
#include "FuzzSupport.h"

#include "options/ChatSetFile.h"

#include <QFileInfo>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::writeFile(QStringLiteral("chat.lst"), fuzz::bytes(data, size));
    const ChatSlots read = chatsetfile::read(path);
    chatsetfile::save(QFileInfo(path).path(), QStringLiteral("chat"), read);
    const ChatSlots back = chatsetfile::read(path);
    FUZZ_CHECK(back.texts == read.texts);
    FUZZ_CHECK(back.teams == read.teams);
    return 0;
}
