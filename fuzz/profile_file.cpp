// SPDX-License-Identifier: MIT
// Profile files (Morvane.ini, hostlist.txt, chat sets, journals): a parse of unedited bytes writes
// back the same bytes, and a value written as the program writes it reads back as it was.
#include "FuzzSupport.h"

#include "platform/ProfileFile.h"

namespace {

const QByteArray Section = QByteArrayLiteral("Section");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    ProfileFile file = ProfileFile::fromBytes(input);
    FUZZ_CHECK(file.bytes() == input);
    FUZZ_CHECK(!file.isModified());

    const QByteArray value = file.readString(Section, "Value");
    const QByteArray other = file.readString(Section, "Other");
    FUZZ_CHECK(value.size() <= ProfileFile::MaxValueLength);
    FUZZ_CHECK(!value.contains('\r') && !value.contains('\n'));
    if (const std::optional<qint32> n = ProfileFile::parseInt(file.readString(Section, "Number"))) {
        FUZZ_CHECK(file.readInt(Section, "Number", 0) == *n);
        FUZZ_CHECK(ProfileFile::parseInt(QByteArray::number(*n)) == *n);
    }
    file.readBool(Section, "Flag", false);

    // The value goes back under another key and into a section that may be missing: both read back
    // unchanged, the key that was not written keeps its value, and so does a new parse of the result.
    file.writeString(Section, "Copy", ProfileFile::quotedForReading(value));
    file.writeString("Added", "Copy", ProfileFile::quotedForReading(value));
    FUZZ_CHECK(file.readString(Section, "Copy") == value);
    FUZZ_CHECK(file.readString("Added", "Copy") == value);
    FUZZ_CHECK(file.readString(Section, "Other") == other);
    const ProfileFile reread = ProfileFile::fromBytes(file.bytes());
    FUZZ_CHECK(reread.readString(Section, "Copy") == value);
    FUZZ_CHECK(reread.readString("Added", "Copy") == value);
    FUZZ_CHECK(reread.readString(Section, "Other") == other);
    FUZZ_CHECK(reread.readString(Section, "Value") == value);
    return 0;
}
