// SPDX-License-Identifier: MIT
#include "app/Settings.h"
#include "platform/Errors.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QTest>

class TestSettings : public QObject
{
    Q_OBJECT
private slots:
    void newFileHasTheSectionsInOrder();
    void readsEveryKey();
    void damagedFilesGiveDefaults_data();
    void damagedFilesGiveDefaults();
    void rewriteKeepsUnknownLines();
    void runnerIsReadButNeverWritten();
    void unwritableFileNamesThePath();
    void intervalItemName_data();
    void intervalItemName();
};

void TestSettings::newFileHasTheSectionsInOrder()
{
    TestFolders f;
    SettingsValues v;
    v.gameFolder = QStringLiteral("/games/ゴースト");
    v.hostViewColor = QString(); // no scheme applied yet
    v.music[1] = QStringLiteral("/music/a.wav");
    settings::write(f.program(settings::fileName), v);
    const QByteArray expected =
        QByteArrayLiteral("[Path]\r\nGhostReconPath=/games/\x83\x53\x81\x5b\x83\x58\x83\x67\r\n"
                          "[StartUp]\r\nGetIP=1\r\n"
                          "[Morvane]\r\nInTray=0\r\nNoClose=0\r\nSortModList=0\r\nSortHost=0\r\n"
                          "HostViewColor=\r\nCheckHostInterval=10000\r\n"
                          "[GRMusic]\r\nMusic1=\r\nMusic2=/music/a.wav\r\nMusic3=\r\nMusic4=\r\n"
                          "Music5=\r\nMusic6=\r\n");
    QCOMPARE(TestFolders::readFile(f.program(settings::fileName)), expected);
}

void TestSettings::readsEveryKey()
{
    TestFolders f;
    TestFolders::writeFile(f.program(settings::fileName),
                           QByteArrayLiteral("[path]\r\nghostreconpath = \"/g\"\r\n[StartUp]\r\nGetIP=0\r\n"
                                             "[MORVANE]\r\nInTray=1\r\nNoClose=0x1\r\nSortModList=2\r\nSortHost=-1\r\n"
                                             "HostViewColor=\x83\x7d\x83\x67\x83\x8a\x83\x62\x83\x4e\x83\x58\r\n"
                                             "CheckHostInterval=300000\r\n[GRMusic]\r\nMusic6=C:\\\x95\x5c.wav\r\n"));
    const SettingsValues v = settings::read(f.program(settings::fileName), {});
    QCOMPARE(v.gameFolder, QStringLiteral("/g"));
    QCOMPARE(v.getIp, false);
    QCOMPARE(v.inTray, true);
    QCOMPARE(v.noClose, true);
    QCOMPARE(v.sortModList, true);
    QCOMPARE(v.sortHost, true);
    QCOMPARE(v.hostViewColor, QStringLiteral("マトリックス"));
    QCOMPARE(v.checkInterval, 300000);
    QCOMPARE(v.music[5], QStringLiteral("C:\\表.wav"));
    QCOMPARE(v.music[0], QString());
}

void TestSettings::damagedFilesGiveDefaults_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("binary") << QByteArray("\x00\xff\xfe[\x01]\x00=\x00", 9);
    QTest::newRow("no sections") << QByteArrayLiteral("GetIP=0\r\nCheckHostInterval=20000\r\n");
    QTest::newRow("garbage numbers") << QByteArrayLiteral("[StartUp]\nGetIP=yes\n[Morvane]\nInTray=on\n"
                                                          "CheckHostInterval=12abc\n");
    QTest::newRow("huge value") << (QByteArrayLiteral("[Morvane]\rCheckHostInterval=") + QByteArray(100000, '9') +
                                    QByteArrayLiteral("\rInTray=zz"));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("negative interval") << QByteArrayLiteral("[Morvane]\r\nCheckHostInterval=-20000\r\n");
}

void TestSettings::damagedFilesGiveDefaults()
{
    QFETCH(QByteArray, bytes);
    TestFolders f;
    TestFolders::writeFile(f.program(settings::fileName), bytes);
    SettingsValues start;
    start.gameFolder = QStringLiteral("/default/game");
    const SettingsValues v = settings::read(f.program(settings::fileName), start);
    QCOMPARE(v.gameFolder, QStringLiteral("/default/game"));
    QCOMPARE(v.getIp, true);
    QCOMPARE(v.inTray, false);
    QCOMPARE(v.checkInterval, 10000);
    QCOMPARE(v.hostViewColor, QStringLiteral("標準"));
}

void TestSettings::rewriteKeepsUnknownLines()
{
    TestFolders f;
    const QString path = f.program(settings::fileName);
    TestFolders::writeFile(path, QByteArrayLiteral("; my notes\n[Morvane]\nFavourite=1\nCheckHostInterval=20000\n"
                                                   "[Other]\nx=y"));
    SettingsValues v = settings::read(path, {});
    v.checkInterval = 30000;
    settings::write(path, v);
    const QByteArray after = TestFolders::readFile(path);
    QVERIFY(after.startsWith(QByteArrayLiteral("; my notes\n[Morvane]\nFavourite=1\nCheckHostInterval=30000\r\n")));
    QVERIFY(after.contains(QByteArrayLiteral("[Other]\nx=y\r\n")));
    QCOMPARE(settings::read(path, {}).checkInterval, 30000);
}

void TestSettings::runnerIsReadButNeverWritten()
{
    TestFolders f;
    const QString path = f.program(settings::fileName);
    TestFolders::writeFile(path, QByteArrayLiteral("[Path]\r\nGameRunner=/opt/wine/bin/wine\r\n"));
    SettingsValues v = settings::read(path, {});
    QCOMPARE(v.gameRunner, QStringLiteral("/opt/wine/bin/wine"));
    v.gameRunner = QStringLiteral("/changed");
    settings::write(path, v);
    QVERIFY(TestFolders::readFile(path).startsWith(QByteArrayLiteral("[Path]\r\nGameRunner=/opt/wine/bin/wine\r\n")));
}

void TestSettings::unwritableFileNamesThePath()
{
    TestFolders f;
    const QString path = f.program(settings::fileName);
    QVERIFY(QDir().mkpath(path)); // a folder where the file should be: no one can write it
    try {
        settings::write(path, {});
        QFAIL("the write did not fail");
    } catch (const UserError& e) {
        QCOMPARE(e.text(), QDir::toNativeSeparators(path) + QStringLiteral(" に書き込めません"));
    }
}

void TestSettings::intervalItemName_data()
{
    QTest::addColumn<qint32>("interval");
    QTest::addColumn<QString>("name");
    QTest::newRow("10 s") << 10000 << QStringLiteral("NI10");
    QTest::newRow("2 min") << 120000 << QStringLiteral("NI120");
    QTest::newRow("15 s has no item") << 15000 << QStringLiteral("NI15");
    QTest::newRow("short") << 500 << QStringLiteral("NI");
    QTest::newRow("negative") << -20000 << QStringLiteral("NI-20");
}

void TestSettings::intervalItemName()
{
    QFETCH(qint32, interval);
    QFETCH(QString, name);
    QCOMPARE(settings::intervalItemName(interval), name);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
