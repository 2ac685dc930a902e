// SPDX-License-Identifier: MIT
// Bitmaps (the game's screenshots), read into a thumbnail as the screenshot tab reads them: a
// header that is accepted stays within the reader's bounds, and a read that succeeds gives every
// row exactly once.
#include "FuzzSupport.h"

#include "screens/BmpReader.h"
#include "screens/ThumbnailScaler.h"

#include <QBuffer>

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray input = fuzz::bytes(data, size);
    QBuffer buffer(&input);
    buffer.open(QIODevice::ReadOnly);
    BmpReader reader(buffer, input.size());
    if (!reader.readHeader()) {
        FUZZ_CHECK(!reader.error().isEmpty());
        return 0;
    }
    const BmpReader::Header& h = reader.header();
    FUZZ_CHECK(h.width >= 1 && h.width <= BmpReader::MaxDimension);
    FUZZ_CHECK(h.height >= 1 && h.height <= BmpReader::MaxDimension);
    FUZZ_CHECK(qint64(h.width) * h.height <= BmpReader::MaxPixels);
    FUZZ_CHECK(h.dataOffset >= 0 && h.dataOffset <= input.size());

    const QSize source(h.width, h.height);
    const QSize box(160, 120);
    ThumbnailScaler scaler(source, ThumbnailScaler::fitted(source, box));
    FUZZ_CHECK(scaler.targetSize().width() <= box.width() && scaler.targetSize().height() <= box.height());
    std::vector<bool> seen(std::size_t(h.height), false);
    int rows = 0;
    const bool ok = reader.readPixels([&](int y, const quint32* row) {
        FUZZ_CHECK(y >= 0 && y < h.height && !seen[std::size_t(y)]);
        seen[std::size_t(y)] = true;
        ++rows;
        scaler.addRow(y, row);
        return true;
    });
    if (ok)
        FUZZ_CHECK(rows == h.height);
    else
        FUZZ_CHECK(!reader.error().isEmpty());
    const std::vector<quint32> thumbnail = scaler.result();
    FUZZ_CHECK(thumbnail.size() ==
               std::size_t(scaler.targetSize().width()) * std::size_t(scaler.targetSize().height()));
    return 0;
}
