// SPDX-License-Identifier: MIT
#include "support/TestBitmaps.h"

namespace testbitmaps {

QByteArray le16(quint32 v)
{
    QByteArray out;
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
    return out;
}
QByteArray le32(quint32 v) { return le16(v & 0xFFFF) + le16(v >> 16); }

QByteArray build(const BitmapLayout& s)
{
    QByteArray info;
    if (s.infoSize == 12) {
        info = le32(12) + le16(quint32(s.width)) + le16(quint32(s.height)) + le16(1) + le16(quint32(s.bitCount));
    } else {
        info = le32(quint32(s.infoSize)) + le32(quint32(s.width)) + le32(quint32(s.height)) + le16(1) +
               le16(quint32(s.bitCount)) + le32(s.compression) + le32(quint32(s.pixels.size())) + le32(2835) +
               le32(2835) + le32(s.coloursUsed) + le32(0);
        if (s.infoSize >= 52)
            info += le32(s.masks[0]) + le32(s.masks[1]) + le32(s.masks[2]);
        info = info.leftJustified(s.infoSize, '\0', true);
        if (s.infoSize == 40 && s.compression == 3)
            info += le32(s.masks[0]) + le32(s.masks[1]) + le32(s.masks[2]);
    }
    QByteArray palette;
    for (quint32 c : s.palette) {
        palette += char(c & 0xFF);
        palette += char((c >> 8) & 0xFF);
        palette += char((c >> 16) & 0xFF);
        if (s.infoSize != 12)
            palette += '\0';
    }
    const quint32 offset = quint32(14 + info.size() + palette.size());
    const quint32 size = offset + quint32(s.pixels.size());
    return QByteArrayLiteral("BM") + le32(size) + le32(0) + le32(offset) + info + palette + s.pixels;
}

QByteArray rgb24(int width, int height, const std::function<quint32(int x, int y)>& colour)
{
    BitmapLayout s;
    s.width = width;
    s.height = height;
    const int stride = (width * 3 + 3) / 4 * 4;
    s.pixels.reserve(qsizetype(stride) * height);
    for (int row = height - 1; row >= 0; --row) {
        QByteArray line;
        for (int x = 0; x < width; ++x) {
            const quint32 c = colour(x, row);
            line += char(c & 0xFF);
            line += char((c >> 8) & 0xFF);
            line += char((c >> 16) & 0xFF);
        }
        line.append(stride - line.size(), '\0');
        s.pixels += line;
    }
    return build(s);
}

} // namespace testbitmaps
