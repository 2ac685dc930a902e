// SPDX-License-Identifier: MIT
// Morvane.ini: the file the frame opens once, and each subsystem's keys on it.
#include "app/FrameSettings.h"
#include "app/Language.h"
#include "app/Settings.h"
#include "hosts/HostViewSettings.h"
#include "launch/LaunchSettings.h"
#include "launch/PublicAddressSettings.h"
#include "mods/ModsSettings.h"
#include "platform/Errors.h"
#include "status/StatusSettings.h"
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
    void rewriteKeepsUnknownLinesAndUneditedBytes();
    void runnerIsReadButNeverWritten();
    void unreadableAndUnwritableFilesNameThePath();
    void intervalItemName_data();
    void intervalItemName();
    void languageChoice_data();
    void languageChoice();
};

void TestSettings::newFileHasTheSectionsInOrder()
{
    TestFolders f;
    Settings settings(f.programFolder());
    QVERIFY(!settings.read());
    // Written in another order than the sections stand in the file.
    settings.write([](ProfileFile& ini) {
        StatusSettings().write(ini, 20000);
        PublicAddressSettings().write(ini, true);
        FrameSettings().write(ini, QStringLiteral("/games/ゴースト"), false, false);
    });
    QCOMPARE(TestFolders::readFile(settings.path()),
             QByteArrayLiteral("[Path]\r\nGhostReconPath=/games/\x83\x53\x81\x5b\x83\x58\x83\x67\r\n"
                               "[StartUp]\r\nGetIP=1\r\n"
                               "[Morvane]\r\nCheckHostInterval=20000\r\nInTray=0\r\nNoClose=0\r\n"
                               "[GRMusic]\r\n"));
}

void TestSettings::readsEveryKey()
{
    TestFolders f;
    TestFolders::writeFile(f.program(Settings::fileName()),
                           QByteArrayLiteral("[path]\r\nghostreconpath = \"/g\"\r\n[StartUp]\r\nGetIP=0\r\n"
                                             "[MORVANE]\r\nInTray=1\r\nNoClose=0x1\r\nSortModList=2\r\nSortHost=-1\r\n"
                                             "HostViewColor=\x83\x7d\x83\x67\x83\x8a\x83\x62\x83\x4e\x83\x58\r\n"
                                             "CheckHostInterval=300000\r\n[GRMusic]\r\nMusic6=C:\\\x95\x5c.wav\r\n"));
    Settings settings(f.programFolder());
    QVERIFY(settings.read());
    const FrameSettings frame = FrameSettings::read(settings.file(), QStringLiteral("/default"));
    QCOMPARE(frame.gameFolder.value(), QStringLiteral("/g"));
    QCOMPARE(PublicAddressSettings::read(settings.file()).getIp.value(), false);
    QCOMPARE(frame.inTray.value(), true);
    QCOMPARE(frame.noClose.value(), true);
    QCOMPARE(ModsSettings::read(settings.file()).sortModList.value(), true);
    const HostViewSettings view = HostViewSettings::read(settings.file());
    QCOMPARE(view.sortLiveHostsFirst.value(), true);
    QCOMPARE(view.scheme.value(), QStringLiteral("マトリックス"));
    QCOMPARE(StatusSettings::read(settings.file()).checkInterval.value(), 300000);
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
    TestFolders::writeFile(f.program(Settings::fileName()), bytes);
    Settings settings(f.programFolder());
    QVERIFY(settings.read());
    const FrameSettings frame = FrameSettings::read(settings.file(), QStringLiteral("/default/game"));
    QCOMPARE(frame.gameFolder.value(), QStringLiteral("/default/game"));
    QCOMPARE(PublicAddressSettings::read(settings.file()).getIp.value(), true);
    QCOMPARE(frame.inTray.value(), false);
    QCOMPARE(StatusSettings::read(settings.file()).checkInterval.value(), 10000);
    QCOMPARE(HostViewSettings::read(settings.file()).scheme.value(), QStringLiteral("標準"));
}

void TestSettings::rewriteKeepsUnknownLinesAndUneditedBytes()
{
    TestFolders f;
    Settings settings(f.programFolder());
    // 0x80 is no character of code page 932 at all; 0xED 0x40 has a second code (0xFA 0x5C).
    const QByteArray folder = QByteArrayLiteral("/g\x80\xed\x40");
    TestFolders::writeFile(settings.path(), QByteArrayLiteral("; my notes\n[Path]\nGhostReconPath=") + folder +
                                                QByteArrayLiteral("\n[Morvane]\nFavourite=1\nCheckHostInterval=20000\n"
                                                                  "[Other]\nx=y"));
    QVERIFY(settings.read());
    const FrameSettings frame = FrameSettings::read(settings.file(), QString());
    settings.write([&](ProfileFile& ini) {
        frame.write(ini, frame.gameFolder.value(), false, false);
        StatusSettings().write(ini, 30000);
    });
    const QByteArray after = TestFolders::readFile(settings.path());
    QVERIFY2(after.startsWith(QByteArrayLiteral("; my notes\n[Path]\nGhostReconPath=") + folder), after.constData());
    QVERIFY(after.contains(QByteArrayLiteral("[Morvane]\nFavourite=1\nCheckHostInterval=30000\r\n")));
    // The sections the file lacked follow the others, in their own order.
    QVERIFY(after.endsWith(QByteArrayLiteral("[Other]\nx=y\r\n[StartUp]\r\n[GRMusic]\r\n")));
    // An edited value is written as its new text.
    settings.write([&](ProfileFile& ini) { frame.write(ini, QStringLiteral("/new"), false, false); });
    QCOMPARE(settings.file().readString("Path", "GhostReconPath"), QByteArrayLiteral("/new"));
}

void TestSettings::runnerIsReadButNeverWritten()
{
    TestFolders f;
    Settings settings(f.programFolder());
    TestFolders::writeFile(settings.path(), QByteArrayLiteral("[Path]\r\nGameRunner=/opt/wine/bin/wine\r\n"));
    QVERIFY(settings.read());
    QCOMPARE(LaunchSettings::read(settings.file()).gameRunner.value(), QStringLiteral("/opt/wine/bin/wine"));
    settings.write([](ProfileFile& ini) { FrameSettings().write(ini, QStringLiteral("/g"), false, false); });
    QVERIFY(TestFolders::readFile(settings.path())
                .startsWith(QByteArrayLiteral("[Path]\r\nGameRunner=/opt/wine/bin/wine\r\n")));
}

void TestSettings::unreadableAndUnwritableFilesNameThePath()
{
    TestFolders f;
    Settings settings(f.programFolder());
    QVERIFY(QDir().mkpath(settings.path())); // a folder where the file should be: no one reads or writes it
    const QString shown = QDir::toNativeSeparators(settings.path());
    try {
        settings.read();
        QFAIL("the read did not fail");
    } catch (const UserError& e) {
        QVERIFY2(e.text().startsWith(shown + QStringLiteral(" を読み込めません")), qPrintable(e.text()));
    }
    try {
        settings.write([](ProfileFile&) {});
        QFAIL("the write did not fail");
    } catch (const UserError& e) {
        QCOMPARE(e.text(), shown + QStringLiteral(" に書き込めません"));
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
    QCOMPARE(StatusSettings::intervalItemName(interval), name);
}

void TestSettings::languageChoice_data()
{
    QTest::addColumn<QByteArray>("environment"); // MORVANE_LANG
    QTest::addColumn<QByteArray>("stored");      // the lines of [Morvane] after InTray
    QTest::addColumn<bool>("english");
    QTest::newRow("nothing chosen") << QByteArray() << QByteArray() << false;
    QTest::newRow("stored") << QByteArray() << QByteArrayLiteral("Language=en\r\n") << true;
    QTest::newRow("environment first") << QByteArrayLiteral("ja") << QByteArrayLiteral("Language=en\r\n") << false;
    QTest::newRow("environment alone") << QByteArrayLiteral("en") << QByteArray() << true;
    QTest::newRow("unknown codes") << QByteArrayLiteral("fr") << QByteArrayLiteral("Language=English\r\n") << false;
}

void TestSettings::languageChoice()
{
    QFETCH(QByteArray, environment);
    QFETCH(QByteArray, stored);
    QFETCH(bool, english);
    TestFolders f;
    TestFolders::writeFile(f.program(Settings::fileName()), QByteArrayLiteral("[Morvane]\r\nInTray=0\r\n") + stored);
    qputenv("MORVANE_LANG", environment);
    const language::Language chosen = language::chosen(f.programFolder());
    qunsetenv("MORVANE_LANG");
    QCOMPARE(chosen == language::Language::English, english);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_Settings.moc"
