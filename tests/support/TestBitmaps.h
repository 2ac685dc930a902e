// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>

#include <array>
#include <functional>

// Windows bitmap files built byte by byte, for the readers' tests.
namespace testbitmaps {

struct BitmapLayout
{
    int width = 1;
    int height = 1; // negative: top-down
    int bitCount = 24;
    quint32 compression = 0;
    int infoSize = 40;      // 12 (core), 40, 108 or 124
    QList<quint32> palette; // 0xRRGGBB
    quint32 coloursUsed = 0;
    std::array<quint32, 3> masks = {}; // written for compression 3
    QByteArray pixels;                 // as stored: rows with their padding, or the RLE stream
};

QByteArray build(const BitmapLayout& layout);

// A 24-bit bottom-up bitmap whose pixel (x, y), counted from the top, is colour(x, y) as 0xRRGGBB.
QByteArray rgb24(int width, int height, const std::function<quint32(int x, int y)>& colour);

// Little-endian 16- and 32-bit values.
QByteArray le16(quint32 v);
QByteArray le32(quint32 v);

} // namespace testbitmaps
