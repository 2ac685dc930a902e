// SPDX-License-Identifier: MIT
#include "screens/BmpReader.h"
#include "support/TestBitmaps.h"

#include <QBuffer>
#include <QTest>

using namespace testbitmaps;
using Pixels = QList<quint32>;

namespace {

constexpr quint32 K = 0xFF000000, W = 0xFFFFFFFF, R = 0xFFFF0000, G = 0xFF00FF00, B = 0xFF0000FF;

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out += char(v);
    return out;
}

// The pixels top row first, or nothing and the reason.
std::optional<Pixels> decode(const QByteArray& file, QString* error, QSize* size = nullptr)
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    BmpReader reader(buffer, file.size());
    if (!reader.readHeader()) {
        *error = reader.error();
        return std::nullopt;
    }
    const int w = reader.header().width;
    const int h = reader.header().height;
    if (size)
        *size = QSize(w, h);
    Pixels out(qsizetype(w) * h, 0);
    QList<int> seen;
    const bool ok = reader.readPixels([&](int y, const quint32* row) {
        seen.append(y);
        std::copy(row, row + w, out.begin() + qsizetype(y) * w);
        return true;
    });
    if (!ok) {
        *error = reader.error();
        return std::nullopt;
    }
    // Every row exactly once.
    std::sort(seen.begin(), seen.end());
    for (int y = 0; y < h; ++y)
        if (seen.value(y, -1) != y)
            return std::nullopt;
    return out;
}

BitmapLayout layout(int w, int h, int bits, QByteArray pixels, QList<quint32> palette = {}, quint32 compression = 0)
{
    BitmapLayout s;
    s.width = w;
    s.height = h;
    s.bitCount = bits;
    s.pixels = std::move(pixels);
    s.palette = std::move(palette);
    s.compression = compression;
    return s;
}

const QList<quint32> grey16 = [] {
    QList<quint32> p;
    for (quint32 i = 0; i < 16; ++i)
        p << i * 0x111111u;
    return p;
}();

quint32 greyPixel(quint32 i) { return 0xFF000000u | (i * 0x111111u); }

} // namespace

class TestBmpReader : public QObject
{
    Q_OBJECT

private slots:
    void decodes_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<Pixels>("pixels");

        // Rows are stored bottom-up, each padded to four bytes.
        QTest::newRow("24-bit") << build(layout(3, 2, 24, bytes({0,   0,   255, 0, 255, 0, 255, 0, 0, 0, 0, 0,
                                                                 255, 255, 255, 0, 0,   0, 0,   0, 0, 0, 0, 0})))
                                << QSize(3, 2) << Pixels{W, K, K, R, G, B};
        QTest::newRow("24-bit top-down") << build(layout(1, -2, 24, bytes({0, 0, 255, 0, 0, 255, 0, 0}))) << QSize(1, 2)
                                         << Pixels{R, G};
        QTest::newRow("24-bit, last row's padding missing")
            << build(layout(1, 2, 24, bytes({0, 0, 255, 0, 0, 255, 0}))) << QSize(1, 2) << Pixels{G, R};
        QTest::newRow("1-bit across bytes") << build(layout(10, 1, 1, bytes({0xAA, 0x80, 0, 0}), {0x000000, 0xFFFFFF}))
                                            << QSize(10, 1) << Pixels{W, K, W, K, W, K, W, K, W, K};
        BitmapLayout four = layout(3, 1, 4, bytes({0x01, 0x20, 0, 0}), {0x000000, 0xFF0000, 0x00FF00});
        four.coloursUsed = 3;
        QTest::newRow("4-bit, three colours used") << build(four) << QSize(3, 1) << Pixels{K, R, G};
        BitmapLayout core = layout(2, 1, 8, bytes({1, 0, 0, 0}), {0xFFFFFF, 0x0000FF});
        core.infoSize = 12;
        QTest::newRow("8-bit, core header") << build(core) << QSize(2, 1) << Pixels{B, W};
        QTest::newRow("16-bit 5-5-5") << build(layout(4, 1, 16,
                                                      le16(0x7C00) + le16(0x03E0) + le16(0x001F) + le16(0x4210)))
                                      << QSize(4, 1) << Pixels{R, G, B, 0xFF848484};
        BitmapLayout rgb565 = layout(3, 1, 16, le16(0xF800) + le16(0x07E0) + le16(0x001F) + le16(0), {}, 3);
        rgb565.masks = {0xF800, 0x07E0, 0x001F};
        QTest::newRow("16-bit bit fields 5-6-5") << build(rgb565) << QSize(3, 1) << Pixels{R, G, B};
        QTest::newRow("32-bit, alpha byte ignored")
            << build(layout(2, 1, 32, bytes({255, 0, 0, 0, 0, 255, 0, 7}))) << QSize(2, 1) << Pixels{B, G};
        BitmapLayout v5 = layout(2, 1, 32, bytes({255, 0, 0, 0, 0, 0, 255, 0}), {}, 3);
        v5.infoSize = 124;
        v5.masks = {0x000000FF, 0x0000FF00, 0x00FF0000}; // red in the lowest byte
        QTest::newRow("32-bit bit fields, V5 header") << build(v5) << QSize(2, 1) << Pixels{R, B};

        // RLE8, bottom row first: a run, end of line; three literals padded to a word, end of line;
        // a move one pixel right, a run of one, end of bitmap.
        const QByteArray rle8 = bytes({3, 1, 0, 0, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 1, 0, 1, 3, 0, 1});
        QTest::newRow("RLE8") << build(layout(4, 3, 8, rle8, {0x000000, 0xFF0000, 0x00FF00, 0x0000FF}, 1))
                              << QSize(4, 3) << Pixels{K, B, K, K, G, B, G, K, R, R, R, K};
        QTest::newRow("RLE8, end of bitmap early: the rest keeps colour 0")
            << build(layout(2, 3, 8, bytes({2, 1, 0, 1}), {0x000000, 0xFFFFFF}, 1)) << QSize(2, 3)
            << Pixels{K, K, K, K, W, W};
        // A move keeps the column.
        QTest::newRow("RLE8, moved up two rows")
            << build(layout(2, 3, 8, bytes({1, 1, 0, 2, 0, 2, 1, 1, 0, 1}), {0x000000, 0xFFFFFF}, 1)) << QSize(2, 3)
            << Pixels{K, W, K, K, W, K};
        QTest::newRow("RLE8, rows ended without end of bitmap")
            << build(layout(1, 2, 8, bytes({1, 1, 0, 0, 1, 0, 0, 0}), {0x000000, 0xFFFFFF}, 1)) << QSize(1, 2)
            << Pixels{K, W};
        QTest::newRow("RLE8, run longer than the row")
            << build(layout(2, 1, 8, bytes({9, 1, 0, 1}), {0x000000, 0xFFFFFF}, 1)) << QSize(2, 1) << Pixels{W, W};
        // RLE4: a run alternates two indices; five literals take three bytes and a pad byte.
        QTest::newRow("RLE4") << build(layout(5, 2, 4, bytes({3, 0x60, 0, 0, 0, 5, 0x12, 0x34, 0x50, 0, 0, 1}), grey16,
                                              2))
                              << QSize(5, 2)
                              << Pixels{greyPixel(1), greyPixel(2), greyPixel(3), greyPixel(4), greyPixel(5),
                                        greyPixel(6), greyPixel(0), greyPixel(6), greyPixel(0), greyPixel(0)};
    }

    void decodes()
    {
        QFETCH(QByteArray, file);
        QFETCH(QSize, size);
        QFETCH(Pixels, pixels);
        QString error;
        QSize found;
        const std::optional<Pixels> out = decode(file, &error, &found);
        QVERIFY2(out, qPrintable(error));
        QCOMPARE(found, size);
        QCOMPARE(*out, pixels);
    }

    void refuses_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("reason");

        const QByteArray good = build(layout(2, 2, 24, QByteArray(16, '\x40')));
        QTest::newRow("0 bytes") << QByteArray() << QStringLiteral("空");
        QTest::newRow("not a bitmap") << QByteArray("\x89PNG\r\n\x1a\n0000000000000000000000") << QStringLiteral("BMP");
        QTest::newRow("header cut short") << good.left(30) << QStringLiteral("切れて");
        QTest::newRow("pixels cut short") << good.chopped(4) << QStringLiteral("切れて");
        // The header alone would ask for 768 MB of pixels, or 1 GB for the picture.
        QTest::newRow("16000 x 16000 in a small file")
            << build(layout(16000, 16000, 24, QByteArray(64, '\0'))) << QStringLiteral("大きすぎ");
        QTest::newRow("16000 x 16000 RLE8")
            << build(layout(16000, 16000, 8, bytes({0, 1}), {0}, 1)) << QStringLiteral("大きすぎ");
        QTest::newRow("8000 x 8000 in a small file")
            << build(layout(8000, 8000, 24, QByteArray(64, '\0'))) << QStringLiteral("切れて");
        QTest::newRow("negative width") << build(layout(-4, 2, 24, QByteArray(32, '\0'))) << QStringLiteral("BMP");
        QTest::newRow("RLE8 stream cut short")
            << build(layout(2, 4, 8, bytes({2, 1, 0, 0, 2, 1}), {0, 0xFFFFFF}, 1)) << QStringLiteral("切れて");
        QTest::newRow("top-down RLE") << build(layout(2, -2, 8, bytes({0, 1}), {0}, 1)) << QStringLiteral("対応");
        QTest::newRow("embedded JPEG") << build(layout(2, 2, 24, QByteArray(16, '\0'), {}, 4))
                                       << QStringLiteral("対応");
        QTest::newRow("2 bits per pixel") << build(layout(2, 2, 2, QByteArray(8, '\0'))) << QStringLiteral("対応");
        BitmapLayout odd = layout(2, 2, 24, QByteArray(16, '\0'));
        odd.infoSize = 20;
        QTest::newRow("unknown header size") << build(odd) << QStringLiteral("対応");
        QTest::newRow("palette missing") << build(layout(2, 2, 8, {})) << QStringLiteral("切れて");
    }

    void refuses()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, reason);
        QString error;
        QVERIFY(!decode(file, &error));
        QVERIFY2(error.contains(reason), qPrintable(error));
    }

    void aSinkCanStopTheRead()
    {
        const QByteArray file = rgb24(4, 50, [](int, int) { return 0x808080u; });
        QBuffer buffer;
        buffer.setData(file);
        buffer.open(QIODevice::ReadOnly);
        BmpReader reader(buffer, file.size());
        QVERIFY(reader.readHeader());
        int rows = 0;
        QVERIFY(!reader.readPixels([&](int, const quint32*) { return ++rows < 3; }));
        QCOMPARE(rows, 3);
    }
};

QTEST_GUILESS_MAIN(TestBmpReader)
#include "tst_BmpReader.moc"
