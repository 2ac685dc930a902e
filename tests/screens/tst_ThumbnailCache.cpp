// SPDX-License-Identifier: MIT
#include "screens/ThumbnailCache.h"
#include "screens/ThumbnailNames.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

class TestThumbnailCache : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_root;

    static ScreenshotFile shot(qint64 mtime = 1700000000, qint64 size = 2359350)
    {
        return {QByteArrayLiteral("/games/gr/shot0001.bmp"), QStringLiteral("shot0001.bmp"), mtime, size};
    }
    static QImage thumbnail(QRgb colour)
    {
        QImage image(128, 96, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        // Folders that do not exist yet: the cache makes them.
        m_root = m_dir->filePath(QStringLiteral("cache/thumbnails"));
    }

    void aStoredThumbnailIsFoundAsOtherProgramsExpectIt()
    {
        const ThumbnailCache cache(m_root);
        const ScreenshotFile file = shot();
        const QByteArray uri = thumbnailnames::uriFor(file.path);
        QVERIFY(cache.store(file, uri, thumbnail(qRgb(10, 200, 30)), QSize(1024, 768)));

        const QString path = m_root + QStringLiteral("/normal/") + thumbnailnames::fileNameFor(uri);
        QImageReader reader(path, "png");
        const QImage stored = reader.read();
        QCOMPARE(stored.size(), QSize(128, 96));
        QCOMPARE(stored.text(QStringLiteral("Thumb::URI")), QStringLiteral("file:///games/gr/shot0001.bmp"));
        QCOMPARE(stored.text(QStringLiteral("Thumb::MTime")), QStringLiteral("1700000000"));
        QCOMPARE(stored.text(QStringLiteral("Thumb::Image::Width")), QStringLiteral("1024"));
        QCOMPARE(QFileInfo(path).permissions() & (QFile::ReadOther | QFile::ReadGroup), QFile::Permissions());
        QCOMPARE(QFileInfo(QFileInfo(path).path()).permissions() & (QFile::ReadOther | QFile::ExeOther),
                 QFile::Permissions());
        // Nothing but the thumbnail is left in the folder.
        QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

        const QImage found = cache.find(file, uri);
        QCOMPARE(found.pixel(5, 5), qRgb(10, 200, 30));
    }

    void aThumbnailOfAnotherVersionIsNotUsed_data()
    {
        QTest::addColumn<qint64>("mtime");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("found");
        QTest::newRow("same file") << qint64(1700000000) << qint64(2359350) << true;
        QTest::newRow("modified later") << qint64(1700000060) << qint64(2359350) << false;
        QTest::newRow("changed within the same second") << qint64(1700000000) << qint64(2359351) << false;
    }

    void aThumbnailOfAnotherVersionIsNotUsed()
    {
        QFETCH(qint64, mtime);
        QFETCH(qint64, size);
        QFETCH(bool, found);
        const ThumbnailCache cache(m_root);
        const QByteArray uri = thumbnailnames::uriFor(shot().path);
        QVERIFY(cache.store(shot(), uri, thumbnail(qRgb(1, 2, 3)), QSize(1024, 768)));
        QCOMPARE(!cache.find(shot(mtime, size), uri).isNull(), found);
    }

    void aThumbnailFiledUnderTheWrongUriIsNotUsed()
    {
        const ThumbnailCache cache(m_root);
        const QByteArray uri = thumbnailnames::uriFor(shot().path);
        QVERIFY(cache.store(shot(), uri, thumbnail(qRgb(1, 2, 3)), QSize(1024, 768)));
        // Another program's thumbnail for a different file, under this file's name (an MD5 clash or a bug).
        const QString path = thumbnailnames::normalPath(m_root, uri);
        QImage other = thumbnail(qRgb(9, 9, 9));
        other.setText(QStringLiteral("Thumb::URI"), QStringLiteral("file:///else.bmp"));
        other.setText(QStringLiteral("Thumb::MTime"), QStringLiteral("1700000000"));
        QVERIFY(other.save(path, "png"));
        QVERIFY(cache.find(shot(), uri).isNull());
    }

    void failuresAreNotedPerVersion()
    {
        const ThumbnailCache cache(m_root);
        const QByteArray uri = thumbnailnames::uriFor(shot().path);
        QString reason;
        QVERIFY(!cache.findFailure(shot(), uri, &reason));
        QVERIFY(cache.storeFailure(shot(), uri, QStringLiteral("ファイルが途中で切れています")));
        QVERIFY(cache.findFailure(shot(), uri, &reason));
        QCOMPARE(reason, QStringLiteral("ファイルが途中で切れています"));
        QVERIFY(!cache.findFailure(shot(1700000099), uri, &reason));
        // A failure is no thumbnail.
        QVERIFY(cache.find(shot(), uri).isNull());
    }

    void aCacheThatCannotBeWrittenIsNoError()
    {
        QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("cache"))));
        QFile blocker(m_root);
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
        blocker.close();
        const ThumbnailCache cache(m_root);
        const QByteArray uri = thumbnailnames::uriFor(shot().path);
        QVERIFY(!cache.store(shot(), uri, thumbnail(qRgb(1, 2, 3)), QSize(1024, 768)));
        QVERIFY(cache.find(shot(), uri).isNull());
    }
};

QTEST_MAIN(TestThumbnailCache)
#include "tst_ThumbnailCache.moc"
