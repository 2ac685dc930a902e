// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>

#include <array>
#include <functional>

class QIODevice;

// Reads Windows bitmap files (the game's screenshots) row by row: every header, palette and size is
// checked against the file's length before anything is allocated from it, so a damaged or hostile
// header costs nothing. Handles 1, 4, 8, 16, 24 and 32 bits per pixel, RLE4, RLE8 and bit fields,
// bottom-up and top-down. A file that ends before its last row is refused as a whole.
class BmpReader
{
public:
    // Larger than any screen a screenshot comes from: a row always fits in memory, a whole picture
    // takes at most 256 MiB, and no header makes the reader work through billions of pixels.
    static constexpr int MaxDimension = 32767;
    static constexpr qint64 MaxPixels = qint64(1) << 26;

    enum class Compression
    {
        Rgb,
        Rle8,
        Rle4,
        BitFields
    };

    struct Header
    {
        int width = 0;
        int height = 0; // rows, always positive
        bool topDown = false;
        int bitCount = 0;
        Compression compression = Compression::Rgb;
        QList<quint32> palette;            // opaque ARGB, for 1 to 8 bits per pixel
        std::array<quint32, 3> masks = {}; // red, green, blue, for 16 and 32 bits per pixel
        qint64 dataOffset = 0;             // where the pixels start
        qint64 dataSize = 0;               // bytes of pixel data to read
        qint64 stride = 0;                 // bytes per row, uncompressed
    };

    // Gets each row as `width` opaque ARGB values; y counts from the top. Returning false stops.
    using RowSink = std::function<bool(int y, const quint32* row)>;

    // `in` is positioned at the file's start; fileSize is its length in bytes.
    BmpReader(QIODevice& in, qint64 fileSize);

    bool readHeader();
    const Header& header() const { return m_header; }
    // Rows in file order. False on damaged or short data, or when the sink stopped.
    bool readPixels(const RowSink& sink);

    // Why the file could not be read, for the user.
    const QString& error() const { return m_error; }

private:
    bool fail(const QString& reason);
    bool readUncompressed(const RowSink& sink);
    bool readRle(const RowSink& sink);
    void convertRow(const uchar* src, quint32* dst) const;

    QIODevice& m_in;
    qint64 m_fileSize;
    Header m_header;
    QString m_error;
    struct Channel
    {
        quint32 mask = 0;
        int shift = 0;
        int bits = 0;
    };
    std::array<Channel, 3> m_channels;
};
