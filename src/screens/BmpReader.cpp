// SPDX-License-Identifier: MIT
#include "screens/BmpReader.h"

#include <QCoreApplication>
#include <QIODevice>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <vector>

namespace {

constexpr qint64 FileHeaderSize = 14;

quint16 u16(const uchar* p) { return quint16(p[0] | (p[1] << 8)); }
quint32 u32(const uchar* p) { return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24; }

bool readExactly(QIODevice& in, void* buffer, qint64 n)
{
    auto* out = static_cast<char*>(buffer);
    qint64 got = 0;
    while (got < n) {
        const qint64 r = in.read(out + got, n - got);
        if (r <= 0)
            return false;
        got += r;
    }
    return true;
}

QString notBitmap() { return QCoreApplication::translate("BmpReader", "BMPファイルではありません"); }
QString truncated() { return QCoreApplication::translate("BmpReader", "ファイルが途中で切れています"); }
QString unsupported() { return QCoreApplication::translate("BmpReader", "この形式のBMPファイルには対応していません"); }

bool knownInfoSize(quint32 size)
{
    // Windows' core, info, V2, V3, V4 and V5 headers, and OS/2's second version.
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 64 || size == 108 || size == 124;
}

// The compressed stream, read in blocks so that a large file is never held whole.
class Stream
{
public:
    Stream(QIODevice& in, qint64 size) : m_in(in), m_left(size) {}

    bool next(uchar& b)
    {
        if (m_pos == m_end && !refill())
            return false;
        b = m_buffer[std::size_t(m_pos++)];
        return true;
    }

private:
    bool refill()
    {
        if (m_left <= 0)
            return false;
        m_buffer.resize(std::size_t(std::min<qint64>(m_left, 1 << 16)));
        const qint64 n = m_in.read(reinterpret_cast<char*>(m_buffer.data()), qint64(m_buffer.size()));
        if (n <= 0)
            return false;
        m_left -= n;
        m_pos = 0;
        m_end = n;
        return true;
    }

    QIODevice& m_in;
    qint64 m_left;
    std::vector<uchar> m_buffer;
    qint64 m_pos = 0;
    qint64 m_end = 0;
};

} // namespace

BmpReader::BmpReader(QIODevice& in, qint64 fileSize) : m_in(in), m_fileSize(fileSize) {}

bool BmpReader::fail(const QString& reason)
{
    m_error = reason;
    return false;
}

bool BmpReader::readHeader()
{
    if (m_fileSize <= 0)
        return fail(QCoreApplication::translate("BmpReader", "空のファイルです"));
    if (m_fileSize < FileHeaderSize + 4)
        return fail(truncated());
    uchar head[FileHeaderSize + 124];
    if (!readExactly(m_in, head, FileHeaderSize + 4))
        return fail(truncated());
    if (head[0] != 'B' || head[1] != 'M')
        return fail(notBitmap());
    qint64 offBits = u32(head + 10);
    const quint32 infoSize = u32(head + 14);
    if (!knownInfoSize(infoSize))
        return fail(unsupported());
    if (FileHeaderSize + infoSize > m_fileSize || !readExactly(m_in, head + FileHeaderSize + 4, infoSize - 4))
        return fail(truncated());
    const uchar* info = head + FileHeaderSize;

    qint64 width = 0;
    qint64 height = 0;
    int bitCount = 0;
    quint32 compression = 0;
    quint32 sizeImage = 0;
    quint32 coloursUsed = 0;
    if (infoSize == 12) {
        width = u16(info + 4);
        height = u16(info + 6);
        bitCount = u16(info + 10);
    } else {
        width = qint32(u32(info + 4));
        height = qint32(u32(info + 8));
        bitCount = u16(info + 14);
        compression = u32(info + 16);
        sizeImage = u32(info + 20);
        coloursUsed = u32(info + 32);
    }
    if (width <= 0 || height == 0)
        return fail(notBitmap());
    Header& h = m_header;
    h.topDown = height < 0;
    height = std::abs(height);
    if (width > MaxDimension || height > MaxDimension || width * height > MaxPixels)
        return fail(QCoreApplication::translate("BmpReader", "画像が大きすぎます（%1 × %2）").arg(width).arg(height));
    h.width = int(width);
    h.height = int(height);
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return fail(unsupported());
    h.bitCount = bitCount;

    // OS/2 gives 3 and 4 other meanings (Huffman, RLE24), which nobody writes any more.
    if (compression == 0)
        h.compression = Compression::Rgb;
    else if (compression == 1 && bitCount == 8)
        h.compression = Compression::Rle8;
    else if (compression == 2 && bitCount == 4)
        h.compression = Compression::Rle4;
    else if ((compression == 3 || compression == 6) && infoSize != 64 && (bitCount == 16 || bitCount == 32))
        h.compression = Compression::BitFields;
    else
        return fail(unsupported());
    const bool rle = h.compression == Compression::Rle8 || h.compression == Compression::Rle4;
    if (rle && h.topDown)
        return fail(unsupported());

    qint64 pos = FileHeaderSize + infoSize;
    if (h.compression == Compression::BitFields) {
        if (infoSize >= 52) {
            h.masks = {u32(info + 40), u32(info + 44), u32(info + 48)};
        } else {
            const qint64 extra = compression == 6 ? 16 : 12;
            uchar masks[16];
            if (pos + extra > m_fileSize || !readExactly(m_in, masks, extra))
                return fail(truncated());
            h.masks = {u32(masks), u32(masks + 4), u32(masks + 8)};
            pos += extra;
        }
    } else if (bitCount == 16) {
        h.masks = {0x7C00, 0x03E0, 0x001F};
    } else {
        h.masks = {0xFF0000, 0xFF00, 0xFF};
    }
    for (std::size_t c = 0; c < 3; ++c) {
        Channel& ch = m_channels[c];
        ch.mask = h.masks[c];
        if (ch.mask != 0) {
            ch.shift = std::countr_zero(ch.mask);
            ch.bits = std::min(std::countr_one(ch.mask >> ch.shift), 16);
        }
    }

    if (bitCount <= 8) {
        qint64 entries = qint64(1) << bitCount;
        if (infoSize != 12 && coloursUsed > 0 && coloursUsed < entries)
            entries = coloursUsed;
        const qint64 entrySize = infoSize == 12 ? 3 : 4;
        // A palette cut short by the pixel offset keeps the entries that are there.
        const qint64 end = offBits > pos && offBits <= m_fileSize ? offBits : m_fileSize;
        entries = std::min(entries, (end - pos) / entrySize);
        if (entries <= 0)
            return fail(truncated());
        uchar table[256 * 4];
        if (!readExactly(m_in, table, entries * entrySize))
            return fail(truncated());
        h.palette.fill(0xFF000000u, qsizetype(1) << bitCount);
        for (qint64 i = 0; i < entries; ++i) {
            const uchar* e = table + i * entrySize;
            h.palette[i] = 0xFF000000u | quint32(e[2]) << 16 | quint32(e[1]) << 8 | e[0];
        }
        pos += entries * entrySize;
    }

    if (offBits > m_fileSize)
        return fail(truncated());
    // Some writers leave the offset zero; the pixels then follow the palette.
    if (offBits < pos)
        offBits = pos;
    h.dataOffset = offBits;
    h.stride = ((width * bitCount + 31) / 32) * 4;
    if (rle) {
        h.dataSize = m_fileSize - offBits;
        if (sizeImage > 0 && sizeImage < h.dataSize)
            h.dataSize = sizeImage;
        if (h.dataSize < 2)
            return fail(truncated());
    } else {
        // The last row's padding may be missing; its pixels may not.
        const qint64 lastRow = (width * bitCount + 7) / 8;
        if (offBits + h.stride * (height - 1) + lastRow > m_fileSize)
            return fail(truncated());
        h.dataSize = std::min(h.stride * height, m_fileSize - offBits);
    }
    return true;
}

bool BmpReader::readPixels(const RowSink& sink)
{
    if (!m_in.seek(m_header.dataOffset))
        return fail(truncated());
    const bool rle = m_header.compression == Compression::Rle8 || m_header.compression == Compression::Rle4;
    return rle ? readRle(sink) : readUncompressed(sink);
}

void BmpReader::convertRow(const uchar* src, quint32* dst) const
{
    const int w = m_header.width;
    const auto scale = [](quint32 v, const Channel& c) -> quint32 {
        if (c.bits == 0)
            return 0;
        v = (v & c.mask) >> c.shift;
        if (c.bits >= 8)
            return (v >> (c.bits - 8)) & 0xFF;
        return (v * 255 + ((1u << c.bits) - 1) / 2) / ((1u << c.bits) - 1);
    };
    const auto masked = [&](quint32 v) {
        return 0xFF000000u | scale(v, m_channels[0]) << 16 | scale(v, m_channels[1]) << 8 | scale(v, m_channels[2]);
    };
    const QList<quint32>& palette = m_header.palette;
    switch (m_header.bitCount) {
    case 1:
        for (int x = 0; x < w; ++x)
            dst[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
        break;
    case 4:
        for (int x = 0; x < w; ++x)
            dst[x] = palette[(x & 1) ? src[x >> 1] & 0x0F : src[x >> 1] >> 4];
        break;
    case 8:
        for (int x = 0; x < w; ++x)
            dst[x] = palette[src[x]];
        break;
    case 16:
        for (int x = 0; x < w; ++x)
            dst[x] = masked(u16(src + 2 * x));
        break;
    case 24:
        for (int x = 0; x < w; ++x, src += 3)
            dst[x] = 0xFF000000u | quint32(src[2]) << 16 | quint32(src[1]) << 8 | src[0];
        break;
    case 32:
        if (m_header.compression == Compression::Rgb) {
            for (int x = 0; x < w; ++x, src += 4)
                dst[x] = 0xFF000000u | quint32(src[2]) << 16 | quint32(src[1]) << 8 | src[0];
        } else {
            for (int x = 0; x < w; ++x)
                dst[x] = masked(u32(src + 4 * x));
        }
        break;
    }
}

bool BmpReader::readUncompressed(const RowSink& sink)
{
    const Header& h = m_header;
    std::vector<uchar> bytes(std::size_t(h.stride), 0);
    std::vector<quint32> row(std::size_t(h.width));
    const qint64 lastRow = (qint64(h.width) * h.bitCount + 7) / 8;
    qint64 left = h.dataSize;
    for (int r = 0; r < h.height; ++r) {
        const qint64 want = std::min(h.stride, left);
        if (want < lastRow || !readExactly(m_in, bytes.data(), want))
            return fail(truncated());
        left -= want;
        convertRow(bytes.data(), row.data());
        if (!sink(h.topDown ? r : h.height - 1 - r, row.data()))
            return fail(QCoreApplication::translate("BmpReader", "中止しました"));
    }
    return true;
}

bool BmpReader::readRle(const RowSink& sink)
{
    const Header& h = m_header;
    const bool four = h.compression == Compression::Rle4;
    Stream in(m_in, h.dataSize);
    std::vector<uchar> line(std::size_t(h.width), 0);
    std::vector<quint32> row(std::size_t(h.width));
    int r = 0;
    int x = 0;
    // Pixels the stream skips keep palette entry 0, as Windows shows them.
    const auto emitRow = [&] {
        for (int i = 0; i < h.width; ++i)
            row[std::size_t(i)] = h.palette[line[std::size_t(i)]];
        std::fill(line.begin(), line.end(), 0);
        return sink(h.height - 1 - r++, row.data());
    };
    // Indices past the row's end are dropped.
    const auto put = [&](uchar index) {
        if (x < h.width)
            line[std::size_t(x++)] = index;
    };
    uchar a = 0;
    uchar b = 0;
    while (r < h.height) {
        if (!in.next(a) || !in.next(b))
            return fail(truncated());
        if (a > 0) {
            // A run: one index, or two alternating ones for four bits per pixel.
            for (int i = 0; i < a && x < h.width; ++i)
                put(four ? ((i & 1) ? b & 0x0F : b >> 4) : b);
            continue;
        }
        switch (b) {
        case 0: // end of line
            if (!emitRow())
                return fail(QCoreApplication::translate("BmpReader", "中止しました"));
            x = 0;
            break;
        case 1: // end of bitmap: the rows not given keep entry 0
            while (r < h.height) {
                if (!emitRow())
                    return fail(QCoreApplication::translate("BmpReader", "中止しました"));
            }
            return true;
        case 2: { // move right and up
            uchar dx = 0;
            uchar dy = 0;
            if (!in.next(dx) || !in.next(dy))
                return fail(truncated());
            x = std::min(x + dx, h.width);
            for (int i = 0; i < dy && r < h.height; ++i) {
                if (!emitRow())
                    return fail(QCoreApplication::translate("BmpReader", "中止しました"));
            }
            break;
        }
        default: { // b literal indices, padded to a whole 16-bit word
            const int bytes = four ? (b + 1) / 2 : b;
            uchar v = 0;
            for (int i = 0; i < b; ++i) {
                if (!four || (i & 1) == 0) {
                    if (!in.next(v))
                        return fail(truncated());
                }
                put(four ? ((i & 1) ? v & 0x0F : v >> 4) : v);
            }
            if ((bytes & 1) && !in.next(v))
                return fail(truncated());
            break;
        }
        }
    }
    return true;
}
