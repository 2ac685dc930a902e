// SPDX-License-Identifier: MIT
#include "hosts/HostGridModel.h"
#include "status/QueryFiles.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace queryfiles;

class TestQueryFiles : public QObject
{
    Q_OBJECT
private slots:
    void templatesWrittenWhenAbsent();
    void existingTemplatesKeptUnchanged();
    void statusTemplateInOtherCaseIsKeptAndNamed_data();
    void statusTemplateInOtherCaseIsKeptAndNamed();
    void addressFileFollowsTheGridOrder();
    void emptyListLeavesAddressFileUnwritten();
    void commandLines();
    void statusResults_data();
    void statusResults();
    void missingOutputGivesNoResults();
    void hugeOutputIsReadBounded_data();
    void hugeOutputIsReadBounded();
    void workFilesDeletedAtShutdown();
};

void TestQueryFiles::templatesWrittenWhenAbsent()
{
    TestFolders f;
    WriteQueryTemplates(f.programFolder());
    QCOMPARE(TestFolders::readFile(f.program(QStringLiteral("hostinfo.tmp"))),
             QByteArrayLiteral("$SERVERNAME<>$(RULE:dedicated)<>$PLAYERS<>$MAXPLAYERS<>$GAME<>$(RULE:patch)<>$MAP<>"
                               "$(RULE:mission)<>$(RULE:gamemode)<>$(RULE:missiontype)\r\n"));
    QCOMPARE(TestFolders::readFile(f.program(QStringLiteral("Template.dat"))),
             QByteArrayLiteral("$PLAYERS/$MAXPLAYERS[$(RULE:remainingtime)]$(RULE:dedicated)\r\n"));
}

void TestQueryFiles::existingTemplatesKeptUnchanged()
{
    TestFolders f;
    const QByteArray info = QByteArrayLiteral("$SERVERNAME only");
    const QByteArray status = QByteArrayLiteral("$PLAYERS of $MAXPLAYERS\n\x83\x5c");
    TestFolders::writeFile(f.program(QStringLiteral("hostinfo.tmp")), info);
    TestFolders::writeFile(f.program(QStringLiteral("Template.dat")), status);
    WriteQueryTemplates(f.programFolder());
    QCOMPARE(TestFolders::readFile(f.program(QStringLiteral("hostinfo.tmp"))), info);
    QCOMPARE(TestFolders::readFile(f.program(QStringLiteral("Template.dat"))), status);
    QCOMPARE(statusArguments(f.programFolder()).at(1), QStringLiteral("Template.dat"));
}

void TestQueryFiles::statusTemplateInOtherCaseIsKeptAndNamed_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("lower") << QStringLiteral("template.dat");
    QTest::newRow("upper") << QStringLiteral("TEMPLATE.DAT");
}

void TestQueryFiles::statusTemplateInOtherCaseIsKeptAndNamed()
{
    QFETCH(QString, name);
    TestFolders f;
    TestFolders::writeFile(f.program(name), QByteArrayLiteral("mine"));
    WriteQueryTemplates(f.programFolder());
    QCOMPARE(QDir(f.programFolder()).entryList({QStringLiteral("*.dat")}, QDir::Files), QStringList{name});
    QCOMPARE(TestFolders::readFile(f.program(name)), QByteArrayLiteral("mine"));
    QCOMPARE(statusArguments(f.programFolder()).at(1), name);
}

void TestQueryFiles::addressFileFollowsTheGridOrder()
{
    TestFolders f;
    HostGridModel hosts;
    hosts.appendHost("A", "10.0.0.1:2346");
    hosts.appendHost("B", "example.org");
    hosts.appendHost("\x83\x5c", "\x83\x7c host:1");
    // A line break, wherever it came from, must not give one host two lines.
    hosts.appendHost("C", "10.0.0.3\r\n:1");
    hosts.moveHostRow(2, 0);
    QCOMPARE(WriteHostAddressFile(f.programFolder(), hosts), 4);
    QCOMPARE(TestFolders::readFile(f.program(QStringLiteral("HostIPList.dat"))),
             QByteArrayLiteral("GRS \x83\x7c host:1\r\nGRS 10.0.0.1:2346\r\nGRS example.org\r\nGRS 10.0.0.3  :1\r\n"));
}

void TestQueryFiles::emptyListLeavesAddressFileUnwritten()
{
    TestFolders f;
    HostGridModel hosts;
    QCOMPARE(WriteHostAddressFile(f.programFolder(), hosts), 0);
    QVERIFY(!QFile::exists(f.program(QStringLiteral("HostIPList.dat"))));

    const QByteArray older = QByteArrayLiteral("GRS 1.2.3.4\r\n");
    TestFolders::writeFile(f.program(QStringLiteral("HostIPList.dat")), older);
    QCOMPARE(WriteHostAddressFile(f.programFolder(), hosts), 0);
    QCOMPARE(TestFolders::readFile(f.program(QStringLiteral("HostIPList.dat"))), older);
}

void TestQueryFiles::commandLines()
{
    TestFolders f;
    QCOMPARE(statusArguments(f.programFolder()).join(QLatin1Char(' ')),
             QStringLiteral("-Ts Template.dat -tsw -sort l -of qout.dat -allowserverdups -f HostIPList.dat"));
    QCOMPARE(hostInfoArguments(QStringLiteral("1.2.3.4 x")),
             (QStringList{QStringLiteral("-Ts"), QStringLiteral("hostinfo.tmp"), QStringLiteral("-tsw"),
                          QStringLiteral("-of"), QStringLiteral("hostinfo.dat"), QStringLiteral("-grs"),
                          QStringLiteral("1.2.3.4 x")}));
    QCOMPARE(playersArguments(QStringLiteral("h:1"), true).join(QLatin1Char(' ')),
             QStringLiteral("-P -raw {::} -nnx -of players.dat -grs h:1"));
    QCOMPARE(playersArguments(QStringLiteral("h:1"), false).join(QLatin1Char(' ')),
             QStringLiteral("-P -raw {::} -nnx -of players.dat -grs,ignoreserverplayer=no h:1"));
}

void TestQueryFiles::statusResults_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("hosts");
    QTest::addColumn<QList<QByteArray>>("expected");
    const QList<QByteArray> three = {"3/16[25]Yes", "-", "2/7[00:00:25]No"};
    // Line ends are the text file reader's own table; qstat writes LF.
    QTest::newRow("lf") << QByteArray("3/16[25]Yes\n/[]\n2/7[00:00:25]No\n") << 3 << three;
    QTest::newRow("fewer lines than hosts")
        << QByteArray("/[]\n1/8[5]Yes\n") << 5 << QList<QByteArray>{"-", "1/8[5]Yes"};
    QTest::newRow("more lines than hosts")
        << QByteArray("/[]\n1/8[5]Yes\n2/8[5]Yes\n") << 2 << QList<QByteArray>{"-", "1/8[5]Yes"};
    QTest::newRow("not answering only when exact")
        << QByteArray("/[] \n /[]\n/[]x\n/[]\n") << 4 << QList<QByteArray>{"/[] ", " /[]", "/[]x", "-"};
    QTest::newRow("binary kept") << QByteArray("\x00\xff\x81/\x1a[\x7f]\n", 9) << 1
                                 << QList<QByteArray>{QByteArray("\x00\xff\x81/\x1a[\x7f]", 8)};
    QTest::newRow("empty file") << QByteArray() << 3 << QList<QByteArray>{};
    QTest::newRow("empty lines") << QByteArray("\n\n") << 3 << QList<QByteArray>{"", ""};
    QTest::newRow("no hosts") << QByteArray("1/8[5]Yes\n") << 0 << QList<QByteArray>{};
}

void TestQueryFiles::statusResults()
{
    QFETCH(QByteArray, file);
    QFETCH(int, hosts);
    QFETCH(QList<QByteArray>, expected);
    TestFolders f;
    TestFolders::writeFile(f.program(QStringLiteral("qout.dat")), file);
    QCOMPARE(readStatusResults(f.program(QStringLiteral("qout.dat")), hosts), expected);
}

void TestQueryFiles::missingOutputGivesNoResults()
{
    TestFolders f;
    QCOMPARE(readStatusResults(f.program(QStringLiteral("qout.dat")), 50), QList<QByteArray>{});
    QDir().mkpath(f.program(QStringLiteral("qout.dat")));
    QCOMPARE(readStatusResults(f.program(QStringLiteral("qout.dat")), 50), QList<QByteArray>{});
}

void TestQueryFiles::hugeOutputIsReadBounded_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<int>("hosts");
    QTest::addColumn<int>("expectedLines");
    QTest::newRow("lines, then 100 MB") << QByteArray("1/8[5]Yes\n/[]\n") << 50 << 3;
    QTest::newRow("one 100 MB line") << QByteArray("1/8[5]") << 1 << 1;
    QTest::newRow("100 MB of line ends") << QByteArray() << 50 << 50;
}

void TestQueryFiles::hugeOutputIsReadBounded()
{
    QFETCH(QByteArray, head);
    QFETCH(int, hosts);
    QFETCH(int, expectedLines);
    TestFolders f;
    const QString path = f.program(QStringLiteral("qout.dat"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    if (head.isEmpty()) {
        // CR only: every byte ends a line, so the bound on lines must stop the reading.
        QVERIFY(file.write(QByteArray(1 << 20, '\r')) > 0);
    } else {
        file.write(head);
    }
    // The rest is a hole of NUL bytes: a 100 MB file that costs no disk.
    QVERIFY(file.resize(100 * 1024 * 1024));
    file.close();
    const QList<QByteArray> lines = readStatusResults(path, hosts);
    QCOMPARE(lines.size(), expectedLines);
    for (const QByteArray& line : lines)
        QVERIFY2(line.size() <= 4096, QByteArray::number(line.size()).constData());
    if (head.startsWith("1/8"))
        QVERIFY(lines.first().startsWith("1/8[5]"));
}

void TestQueryFiles::workFilesDeletedAtShutdown()
{
    TestFolders f;
    const QStringList work = {QStringLiteral("qout.dat"), QStringLiteral("HostIPList.dat"),
                              QStringLiteral("hostinfo.dat"), QStringLiteral("players.dat"),
                              QStringLiteral("hostinfo.tmp")};
    for (const QString& name : work)
        TestFolders::writeFile(f.program(name), "x");
    TestFolders::writeFile(f.program(QStringLiteral("Template.dat")), "t");
    TestFolders::writeFile(f.program(QStringLiteral("hostlist.txt")), "h");
    deleteWorkFiles(f.programFolder());
    QCOMPARE(QDir(f.programFolder()).entryList(QDir::Files, QDir::Name),
             (QStringList{QStringLiteral("Template.dat"), QStringLiteral("hostlist.txt")}));

    // Missing files and one that cannot be deleted are passed over; the others still go.
    TestFolders::writeFile(f.program(QStringLiteral("players.dat")), "x");
    QDir().mkpath(f.program(QStringLiteral("qout.dat")) + QStringLiteral("/inside"));
    deleteWorkFiles(f.programFolder());
    QVERIFY(!QFile::exists(f.program(QStringLiteral("players.dat"))));
    QVERIFY(QFileInfo(f.program(QStringLiteral("qout.dat"))).isDir());
}

QTEST_GUILESS_MAIN(TestQueryFiles)
#include "tst_QueryFiles.moc"
