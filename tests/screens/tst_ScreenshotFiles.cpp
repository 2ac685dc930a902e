// SPDX-License-Identifier: MIT
#include "platform/FolderListing.h"
#include "screens/ScreenshotFiles.h"
#include "screens/ThumbnailNames.h"
#include "screens/ThumbnailScaler.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

namespace {

QStringList names(const QList<ScreenshotFile>& files)
{
    QStringList out;
    for (const ScreenshotFile& f : files)
        out << f.name;
    return out;
}

bool any(const QString&) { return true; }

} // namespace

class TestScreenshotFiles : public QObject
{
    Q_OBJECT

private slots:
    void nameRule_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("screenshot");
        QTest::newRow("upper case") << "SHOT0001.BMP" << true;
        QTest::newRow("lower case") << "shot0002.bmp" << true;
        QTest::newRow("mixed, with a folder") << "C:\\GR\\Shot.Bmp" << true;
        QTest::newRow("another extension after it") << "shot.bmp.txt" << false;
        QTest::newRow("jpeg") << "shot.jpg" << false;
        QTest::newRow("the dot is in the folder") << "/games/x.bmp/shot" << false;
        QTest::newRow("backslash folder with a dot") << "C:\\a.bmp\\shot" << false;
        QTest::newRow("longer extension") << "shot.bmpx" << false;
        QTest::newRow("no extension") << "bmp" << false;
    }

    void nameRule()
    {
        QFETCH(QString, name);
        QFETCH(bool, screenshot);
        QCOMPARE(screenshotfiles::isScreenshotName(name), screenshot);
        // Names read from a disk hold no folder; for them the byte rule must agree.
        if (!name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')))
            QCOMPARE(screenshotfiles::isScreenshotName(name.toLatin1()), screenshot);
    }

    void listsOnlyScreenshotFilesSortedByName()
    {
        TestFolders folders;
        const QString dir = folders.path(QStringLiteral("shots"));
        for (const char* name : {"b.bmp", "A.BMP", "c.jpg", "shot.bmp.txt", "C.bmp"})
            TestFolders::writeFile(dir + QLatin1Char('/') + QLatin1String(name), QByteArrayLiteral("x"));
        QVERIFY(QDir().mkpath(dir + QStringLiteral("/folder.bmp")));
        // 表 in code page 932, as a Windows program would have named it: not valid UTF-8.
        const QByteArray rawName = QFile::encodeName(dir) + QByteArrayLiteral("/\x95\x5c.bmp");
        const int fd = ::open(rawName.constData(), O_CREAT | O_WRONLY, 0644);
        QVERIFY(fd >= 0);
        QCOMPARE(::write(fd, "abc", 3), ssize_t(3));
        ::close(fd);

        const QList<ScreenshotFile> files = screenshotfiles::list(dir, any);
        QCOMPARE(names(files), (QStringList{QStringLiteral("A.BMP"), QStringLiteral("b.bmp"), QStringLiteral("C.bmp"),
                                            QStringLiteral("表.bmp")}));
        QCOMPARE(files.last().path, rawName);
        QCOMPARE(files.last().size, 3);
        QVERIFY(files.last().mtime > 0);
        QVERIFY(folderlisting::exists(files.last().path));

        // The loader's own test has the last word.
        const auto notB = [](const QString& name) { return !name.startsWith(QLatin1Char('b')); };
        QCOMPARE(screenshotfiles::list(dir, notB).size(), 3);
    }

    void aMissingFolderListsNothing()
    {
        TestFolders folders;
        QVERIFY(screenshotfiles::list(folders.path(QStringLiteral("gone")), any).isEmpty());
        QVERIFY(screenshotfiles::list(QString(), any).isEmpty());
    }

    void thumbnailNamesFollowTheStandard_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("uri");
        QTest::addColumn<QString>("fileName");
        // The standard's own example.
        QTest::newRow("example") << QByteArray("/home/jens/photos/me.png")
                                 << QByteArray("file:///home/jens/photos/me.png")
                                 << QStringLiteral("c6ee772d9e49320e97ec29a7eb5b1697.png");
        // As GLib escapes a path: these stay, everything else is %XX in upper case.
        QTest::newRow("kept and escaped")
            << QByteArray("/a b;c~!$&'()*+,=:@#%?[]\\^`{|}\"<>.bmp")
            << QByteArray("file:///a%20b%3Bc~!$&'()*+,=:@%23%25%3F%5B%5D%5C%5E%60%7B%7C%7D%22%3C%3E.bmp") << QString();
        QTest::newRow("UTF-8") << QByteArray("/g/\xe8\xa1\xa8.bmp") << QByteArray("file:///g/%E8%A1%A8.bmp")
                               << QString();
        QTest::newRow("code page 932") << QByteArray("/g/\x95\x5c.bmp") << QByteArray("file:///g/%95%5C.bmp")
                                       << QString();
    }

    void thumbnailNamesFollowTheStandard()
    {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, uri);
        QFETCH(QString, fileName);
        QCOMPARE(thumbnailnames::uriFor(path), uri);
        if (!fileName.isEmpty())
            QCOMPARE(thumbnailnames::fileNameFor(uri), fileName);
    }

    void cacheRootComesFromTheEnvironment()
    {
        const QByteArray saved = qgetenv("XDG_CACHE_HOME");
        qputenv("XDG_CACHE_HOME", "/var/cache-test");
        QCOMPARE(thumbnailnames::cacheRoot(), QStringLiteral("/var/cache-test/thumbnails"));
        qputenv("XDG_CACHE_HOME", "relative/ignored");
        QCOMPARE(thumbnailnames::cacheRoot(), QDir::homePath() + QStringLiteral("/.cache/thumbnails"));
        qputenv("XDG_CACHE_HOME", saved);
    }

    void fittedSizes_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QSize>("fitted");
        QTest::newRow("screenshot, normal thumbnail") << QSize(1024, 768) << QSize(128, 128) << QSize(128, 96);
        QTest::newRow("screenshot, on screen") << QSize(1024, 768) << QSize(94, 78) << QSize(94, 70);
        QTest::newRow("small stays") << QSize(64, 48) << QSize(128, 128) << QSize(64, 48);
        QTest::newRow("a line keeps a pixel") << QSize(32767, 1) << QSize(128, 128) << QSize(128, 1);
    }

    void fittedSizes()
    {
        QFETCH(QSize, size);
        QFETCH(QSize, box);
        QFETCH(QSize, fitted);
        QCOMPARE(ThumbnailScaler::fitted(size, box), fitted);
    }

    void scalingAveragesBlocks()
    {
        // 4 x 2, left half black, right half alternating white and red: 2 x 1.
        ThumbnailScaler scaler(QSize(4, 2), QSize(2, 1));
        const quint32 top[] = {0xFF000000, 0xFF000000, 0xFFFFFFFF, 0xFFFF0000};
        const quint32 bottom[] = {0xFF000000, 0xFF000000, 0xFFFF0000, 0xFFFFFFFF};
        scaler.addRow(1, bottom);
        scaler.addRow(0, top);
        QCOMPARE(scaler.result(), (std::vector<quint32>{0xFF000000, 0xFFFF8080}));
    }
};

QTEST_GUILESS_MAIN(TestScreenshotFiles)
#include "tst_ScreenshotFiles.moc"
