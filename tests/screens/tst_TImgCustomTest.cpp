// SPDX-License-Identifier: MIT
#include "screens/TImgCustomTest.h"
#include "support/TestBitmaps.h"
#include "support/TestFolders.h"

#include <QFile>
#include <QImageReader>
#include <QTest>

using namespace testbitmaps;

class TestTImgCustomTest : public QObject
{
    Q_OBJECT

    TImgCustomTest m_loader;
    std::unique_ptr<TestFolders> m_folders;

    QString file(const QString& name, const QByteArray& bytes) const
    {
        const QString path = m_folders->path(name);
        TestFolders::writeFile(path, bytes);
        return path;
    }

private slots:
    void init() { m_folders = std::make_unique<TestFolders>(); }

    // Qt's own reader, which shares no code with ours, must see the same pixels.
    void agreesWithQtsReader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("demo screenshot") << TestFolders::readFile(
            TestFolders::fixture(QStringLiteral("game/shot0001.bmp")));
        QTest::newRow("odd width, 24-bit")
            << rgb24(7, 5, [](int x, int y) { return quint32(x * 36) << 16 | quint32(y * 50); });
        BitmapLayout one;
        one.width = 9;
        one.height = 2;
        one.bitCount = 1;
        one.palette = {0x102030, 0xF0E0D0};
        one.pixels = QByteArray("\xA5\x80\0\0\x5A\x00\0\0", 8);
        QTest::newRow("1-bit") << build(one);
        BitmapLayout rle;
        rle.width = 6;
        rle.height = 2;
        rle.bitCount = 8;
        rle.compression = 1;
        rle.palette = {0x000000, 0xFF8000, 0x00FFFF};
        rle.coloursUsed = 3;
        rle.pixels = QByteArray("\x04\x01\x00\x00\x00\x03\x02\x01\x02\x00\x01\x02\x00\x01", 14);
        QTest::newRow("RLE8") << build(rle);
    }

    void agreesWithQtsReader()
    {
        QFETCH(QByteArray, bytes);
        const QString path = file(QStringLiteral("x.bmp"), bytes);
        QImage ours;
        QVERIFY(m_loader.LoadFile(path, ours));
        QImageReader reader(path, "bmp");
        const QImage theirs = reader.read();
        QVERIFY2(!theirs.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(ours.size(), theirs.size());
        QCOMPARE(ours.convertToFormat(QImage::Format_RGB32), theirs.convertToFormat(QImage::Format_RGB32));
    }

    void aBrokenFileLeavesThePictureAlone_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = rgb24(8, 8, [](int, int) { return 0x808080u; });
        QTest::newRow("0 bytes") << QByteArray();
        QTest::newRow("truncated") << good.left(good.size() - 30);
        BitmapLayout huge;
        huge.width = 16000;
        huge.height = 16000;
        huge.pixels = QByteArray(100, '\0');
        QTest::newRow("16000 x 16000 header") << build(huge);
    }

    void aBrokenFileLeavesThePictureAlone()
    {
        QFETCH(QByteArray, bytes);
        const QString path = file(QStringLiteral("broken.bmp"), bytes);
        QImage picture(2, 2, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(!m_loader.LoadFile(path, picture));
        QCOMPARE(picture.pixel(0, 0), qRgb(255, 0, 0));
        const TImgCustomTest::Loaded loaded = m_loader.load(QFile::encodeName(path), QSize(128, 128));
        QVERIFY(loaded.image.isNull());
        QVERIFY(loaded.damaged);
        QVERIFY(!loaded.error.isEmpty());
    }

    void aMissingFileIsNotDamaged()
    {
        const TImgCustomTest::Loaded loaded =
            m_loader.load(QFile::encodeName(m_folders->path(QStringLiteral("no.bmp"))));
        QVERIFY(loaded.image.isNull());
        QVERIFY(!loaded.damaged);
    }

    void thumbnailsAreShrunkWhileRead()
    {
        // Left half red, right half blue.
        const QString path = file(QStringLiteral("big.bmp"),
                                  rgb24(1024, 768, [](int x, int) { return x < 512 ? 0xFF0000u : 0x0000FFu; }));
        const TImgCustomTest::Loaded loaded = m_loader.load(QFile::encodeName(path), QSize(128, 128));
        QCOMPARE(loaded.originalSize, QSize(1024, 768));
        QCOMPARE(loaded.image.size(), QSize(128, 96));
        QCOMPARE(loaded.image.pixel(10, 50), qRgb(255, 0, 0));
        QCOMPARE(loaded.image.pixel(120, 50), qRgb(0, 0, 255));
    }

    void aStopRequestEndsTheRead()
    {
        const QString path = file(QStringLiteral("big.bmp"), rgb24(64, 64, [](int, int) { return 0u; }));
        const std::atomic<bool> stop{true};
        const TImgCustomTest::Loaded loaded = m_loader.load(QFile::encodeName(path), QSize(16, 16), &stop);
        QVERIFY(loaded.image.isNull());
        QVERIFY(!loaded.damaged);
    }
};

QTEST_MAIN(TestTImgCustomTest)
#include "tst_TImgCustomTest.moc"
