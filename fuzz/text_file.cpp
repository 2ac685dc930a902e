// SPDX-License-Identifier: MIT
// Plain text files: the lines with their own ends are the bytes again; the file readers give what
// the byte splitter gives, within their bounds; a file written atomically reads back as written.
#include "FuzzSupport.h"

#include "platform/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    const QList<textfile::Line> withEnds = textfile::splitLinesWithEnds(input);
    QByteArray joined;
    for (const textfile::Line& line : withEnds)
        joined += line.text + line.end;
    FUZZ_CHECK(joined == input);
    const QList<QByteArray> lines = textfile::splitLines(input);
    FUZZ_CHECK(lines.size() == withEnds.size());
    FUZZ_CHECK(textfile::splitLines(textfile::joinCrLf(lines)) == lines);

    // A bound taken from the input, so that short and long reads both come up.
    const qsizetype maxLines = size ? qsizetype(data[size - 1]) % 16 : 0;
    const qint64 maxBytes = size ? qint64(data[0]) * 4 : 0;
    const QString path = fuzz::writeFile(QStringLiteral("text.txt"), input);
    FUZZ_CHECK(textfile::read(path) == input);
    FUZZ_CHECK(textfile::read(path, maxBytes) == input.left(maxBytes));
    FUZZ_CHECK(textfile::readExisting(path, maxBytes) == input.left(maxBytes));
    FUZZ_CHECK(textfile::readLines(path, maxLines) == lines.mid(0, maxLines));
    FUZZ_CHECK(textfile::readExistingLines(path, maxLines) == lines.mid(0, maxLines));

    textfile::writeAtomic(path, joined);
    FUZZ_CHECK(textfile::read(path) == input);
    return 0;
}
