// SPDX-License-Identifier: MIT
// Code page 932: text that decoded without damage encodes to bytes that decode to the same text;
// ASCII and half-width katakana come back byte for byte; the byte helpers keep to character
// boundaries.
#include "FuzzSupport.h"

#include "platform/Cp932.h"

#include <QString>

#include <algorithm>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    const QString text = cp932::toUnicode(input);
    const QByteArray encoded = cp932::fromUnicode(text);
    if (!text.contains(QChar(0xFFFD)))
        FUZZ_CHECK(cp932::toUnicode(encoded) == text);
    const bool singleBytes = std::all_of(input.begin(), input.end(), [](char c) {
        const uchar b = uchar(c);
        return b < 0x80 || (b >= 0xA1 && b <= 0xDF);
    });
    if (singleBytes)
        FUZZ_CHECK(encoded == input);

    // Every character boundary the helpers report is one that walking the text reaches.
    const qsizetype cut = size ? qsizetype(data[0]) % (input.size() + 1) : 0;
    const qsizetype boundary = cp932::boundaryAtOrBefore(input, cut);
    FUZZ_CHECK(boundary >= 0 && boundary <= cut);
    qsizetype pos = 0;
    while (pos < boundary)
        pos += cp932::charLength(input, pos);
    FUZZ_CHECK(pos == boundary);
    const qsizetype backslash = cp932::lastBackslash(input);
    FUZZ_CHECK(backslash < 0 || input.at(backslash) == '\\');
    const QByteArray lower = cp932::asciiLower(input);
    FUZZ_CHECK(lower.size() == input.size() && cp932::equalsIgnoreCase(lower, input));

    // The same bytes taken as UTF-16 text the user typed: encoding it never fails, and what cannot be
    // saved is named.
    QString typed(input.size() / 2, Qt::Uninitialized);
    std::memcpy(typed.data(), input.constData(), std::size_t(typed.size()) * 2);
    const QByteArray typedBytes = cp932::fromUnicode(typed);
    if (!cp932::firstUnencodable(typed))
        FUZZ_CHECK(cp932::unencodableMessage(typed).isEmpty());
    cp932::toUnicode(typedBytes);
    return 0;
}
