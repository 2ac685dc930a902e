// SPDX-License-Identifier: MIT
#include "hosts/HostGridModel.h"
#include "hosts/THostList.h"
#include "platform/Cp932.h"
#include "platform/Errors.h"
#include "platform/ProfileFile.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolders.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

QString data(const QString& name) { return QStringLiteral(HOSTS_DATA_DIR "/") + name; }

// A host list file of `count` hosts named prefix1, prefix2... in slots 1 to count.
QByteArray fileWithHosts(const QByteArray& prefix, int count)
{
    QByteArray out = QByteArrayLiteral("[HostList]\r\n");
    for (int n = 1; n <= count; ++n) {
        const QByteArray number = QByteArray::number(n);
        out += "Hostname" + number + '=' + prefix + number + "\r\nHostIP" + number + "=10.0.0." + number + "\r\n";
    }
    return out;
}

QList<QByteArray> names(const HostGridModel& m)
{
    QList<QByteArray> out;
    for (int i = 0; i < m.hostCount(); ++i)
        out << m.host(i).name;
    return out;
}

QList<QByteArray> addresses(const HostGridModel& m)
{
    QList<QByteArray> out;
    for (int i = 0; i < m.hostCount(); ++i)
        out << m.host(i).address;
    return out;
}

// Three hosts, then every other slot written empty.
QByteArray threeHostsFile()
{
    QByteArray out = QByteArrayLiteral("[HostList]\r\n"
                                       "Hostname1=Alpha\r\nHostIP1=192.168.0.10:2346\r\n"
                                       "Hostname2=\r\nHostIP2=gr.example.com\r\n"
                                       "Hostname3=Gamma Base\r\nHostIP3=10.1.2.3\r\n");
    for (int n = 4; n <= 50; ++n)
        out += "Hostname" + QByteArray::number(n) + "=\r\nHostIP" + QByteArray::number(n) + "=\r\n";
    return out;
}

} // namespace

class TestHostList : public QObject
{
    Q_OBJECT
private slots:
    void load_data();
    void load();
    void loadMissingFile();
    void loadIntoAFilledList_data();
    void loadIntoAFilledList();
    void saveThreeHostsByteForByte();
    void saveAfterGapEmptiesTheRest();
    void emptyNameKept();
    void japaneseRoundTrip();
    void invalidBytesSurvive();
    void existingFileKeepsOtherLines();
    void valuesThatTheReaderWouldChange_data();
    void valuesThatTheReaderWouldChange();
    void hugeFiles_data();
    void hugeFiles();
    void saveFailureNamesThePath();
    void firstRunQuestion_data();
    void firstRunQuestion();
    void noQuestionWhenTheFileExists();
};

void TestHostList::load_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<QByteArray>>("names");
    QTest::addColumn<QList<QByteArray>>("addresses");

    QByteArray gap =
        QByteArrayLiteral("[HostList]\r\nHostname1=a\r\nHostIP1=1.1.1.1\r\nHostname2=b\r\nHostIP2=2.2.2.2\r\n"
                          "Hostname3=c\r\nHostIP3=\r\n");
    for (int n = 4; n <= 10; ++n)
        gap += "Hostname" + QByteArray::number(n) + "=x\r\nHostIP" + QByteArray::number(n) + "=9.9.9.9\r\n";
    QTest::newRow("first empty address ends the list")
        << gap << QList<QByteArray>{"a", "b"} << QList<QByteArray>{"1.1.1.1", "2.2.2.2"};
    QTest::newRow("first address empty") << QByteArrayLiteral(
                                                "[HostList]\r\nHostname1=a\r\nHostname2=b\r\nHostIP2=2\r\n")
                                         << QList<QByteArray>{} << QList<QByteArray>{};
    QTest::newRow("blank address ends the list")
        << QByteArrayLiteral("[HostList]\r\nHostIP1=1\r\nHostIP2=   \r\nHostIP3=3\r\n") << QList<QByteArray>{""}
        << QList<QByteArray>{"1"};
    QTest::newRow("slots out of order")
        << QByteArrayLiteral("[HostList]\r\nHostIP3=3\r\nHostname2=two\r\nHostIP1=1\r\nHostname3=three\r\n"
                             "HostIP2=2\r\nHostname1=one\r\n")
        << QList<QByteArray>{"one", "two", "three"} << QList<QByteArray>{"1", "2", "3"};
    QTest::newRow("binary noise") << QByteArray("\x00\xff[\x01]\x00=\x00\r\n\x81\x5c=\x5c\r", 16) << QList<QByteArray>{}
                                  << QList<QByteArray>{};
    QTest::newRow("binary values") << QByteArray(
                                          "[HostList]\r\n\x00\x01=\x02\r\nHostname1=\x81\r\nHostIP1=\x00\x85\r\n", 43)
                                   << QList<QByteArray>{"\x81"} << QList<QByteArray>{QByteArray("\x00\x85", 2)};

    QList<QByteArray> fifty;
    QList<QByteArray> fiftyAddresses;
    for (int n = 1; n <= 50; ++n) {
        fifty << "h" + QByteArray::number(n);
        fiftyAddresses << "10.0.0." + QByteArray::number(n);
    }
    QTest::newRow("slots past 50 are never read") << fileWithHosts("h", 60) << fifty << fiftyAddresses;
}

void TestHostList::load()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QList<QByteArray>, names);
    QFETCH(QList<QByteArray>, addresses);
    TestFolders f;
    const QString path = f.program(THostList::fileName());
    TestFolders::writeFile(path, bytes);
    HostGridModel m;
    QCOMPARE(THostList(m).LoadHostList(path), int(names.size()));
    QCOMPARE(::names(m), names);
    QCOMPARE(::addresses(m), addresses);
    // The file itself is never written by a load.
    QCOMPARE(TestFolders::readFile(path), bytes);
}

void TestHostList::loadMissingFile()
{
    TestFolders f;
    HostGridModel m;
    QCOMPARE(THostList(m).LoadHostList(f.program(THostList::fileName())), 0);
    QCOMPARE(m.hostCount(), 0);
    QVERIFY(!QFile::exists(f.program(THostList::fileName())));
}

void TestHostList::loadIntoAFilledList_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("loaded");
    QTest::addColumn<int>("added");
    QTest::newRow("fifty, then no more") << 50 << 5 << 0;
    QTest::newRow("thirty into forty") << 40 << 30 << 10;
}

void TestHostList::loadIntoAFilledList()
{
    QFETCH(int, before);
    QFETCH(int, loaded);
    QFETCH(int, added);
    TestFolders f;
    const QString first = f.program(QStringLiteral("a.txt"));
    const QString second = f.program(QStringLiteral("b.txt"));
    TestFolders::writeFile(first, fileWithHosts("old", before));
    TestFolders::writeFile(second, fileWithHosts("new", loaded));
    HostGridModel m;
    THostList list(m);
    QCOMPARE(list.LoadHostList(first), before);
    QCOMPARE(list.LoadHostList(second), added);
    QCOMPARE(m.hostCount(), 50);
    QCOMPARE(m.host(before - 1).name, "old" + QByteArray::number(before));
    if (added) {
        QCOMPARE(m.host(before).name, QByteArrayLiteral("new1"));
        QCOMPARE(m.host(49).address, "10.0.0." + QByteArray::number(added));
    }
}

void TestHostList::saveThreeHostsByteForByte()
{
    TestFolders f;
    const QString path = f.program(THostList::fileName());
    HostGridModel m;
    m.appendHost(QByteArrayLiteral("Alpha"), QByteArrayLiteral("192.168.0.10:2346"));
    m.appendHost(QByteArray(), QByteArrayLiteral("gr.example.com"));
    m.appendHost(QByteArrayLiteral("Gamma Base"), QByteArrayLiteral("10.1.2.3"));
    m.setStatus(0, QStringLiteral("3/16[25]")); // never stored
    THostList(m).SaveHostList(path);
    QCOMPARE(TestFolders::readFile(path), threeHostsFile());

    // Saved again over itself, the file does not change.
    THostList(m).SaveHostList(path);
    QCOMPARE(TestFolders::readFile(path), threeHostsFile());
}

void TestHostList::saveAfterGapEmptiesTheRest()
{
    TestFolders f;
    const QString path = f.program(THostList::fileName());
    QByteArray bytes = fileWithHosts("h", 10);
    bytes.replace("HostIP3=10.0.0.3", "HostIP3=");
    TestFolders::writeFile(path, bytes);
    HostGridModel m;
    THostList(m).LoadHostList(path);
    QCOMPARE(m.hostCount(), 2);
    THostList(m).SaveHostList(path);
    const ProfileFile saved(path);
    QCOMPARE(saved.readString("HostList", "HostIP2"), QByteArrayLiteral("10.0.0.2"));
    for (int n = 3; n <= 50; ++n) {
        QCOMPARE(saved.readString("HostList", "Hostname" + QByteArray::number(n), "absent"), QByteArray());
        QCOMPARE(saved.readString("HostList", "HostIP" + QByteArray::number(n), "absent"), QByteArray());
    }
    HostGridModel again;
    QCOMPARE(THostList(again).LoadHostList(path), 2);
}

void TestHostList::emptyNameKept()
{
    TestFolders f;
    const QString path = f.program(THostList::fileName());
    TestFolders::writeFile(path, QByteArrayLiteral("[HostList]\r\nHostname1=\r\nHostIP1=1.2.3.4\r\n"));
    HostGridModel m;
    THostList(m).LoadHostList(path);
    QCOMPARE(m.hostCount(), 1);
    QCOMPARE(m.nameText(0), QString());
    THostList(m).SaveHostList(path);
    QVERIFY(TestFolders::readFile(path).startsWith("[HostList]\r\nHostname1=\r\nHostIP1=1.2.3.4\r\nHostname2=\r\n"));
}

void TestHostList::japaneseRoundTrip()
{
    TestFolders f;
    const QByteArray original = TestFolders::readFile(data(QStringLiteral("japanese_full.txt")));
    QVERIFY(!original.isEmpty());
    HostGridModel m;
    QCOMPARE(THostList(m).LoadHostList(data(QStringLiteral("japanese_full.txt"))), 3);
    // 表 and ソ end in 0x5C: a byte-wise reader that took it for a backslash would damage them.
    QCOMPARE(m.nameText(0), QStringLiteral("表示ソフト鯖"));
    QCOMPARE(m.nameText(1), QStringLiteral("ﾎｽﾄ半角"));
    QCOMPARE(m.nameText(2), QString());
    QCOMPARE(m.addressText(1), QStringLiteral("gr.example.jp"));
    const QString path = f.program(THostList::fileName());
    THostList(m).SaveHostList(path);
    QCOMPARE(TestFolders::readFile(path), original);
}

void TestHostList::invalidBytesSurvive()
{
    TestFolders f;
    HostGridModel m;
    QCOMPARE(THostList(m).LoadHostList(data(QStringLiteral("invalid_bytes.txt"))), 2);
    const QByteArray badName = QByteArrayLiteral("\x85\x40"
                                                 "bad\xfd"
                                                 "name\x81");
    QCOMPARE(m.host(0).name, badName);
    QCOMPARE(m.host(1).address, QByteArrayLiteral("\xff\xfe:1"));
    const QString path = f.program(THostList::fileName());
    THostList(m).SaveHostList(path);
    const QByteArray saved = TestFolders::readFile(path);
    QVERIFY(saved.contains("\r\nHostname1=" + badName + "\r\nHostIP1=1.2.3.4\r\n"));
    QVERIFY(saved.contains("\r\nHostname2=\x83\x7c\x83\x8a\r\nHostIP2=\xff\xfe:1\r\n"));
    HostGridModel again;
    THostList(again).LoadHostList(path);
    QCOMPARE(again.host(0).name, badName);
}

void TestHostList::existingFileKeepsOtherLines()
{
    TestFolders f;
    const QString path = f.program(THostList::fileName());
    const QByteArray original = TestFolders::readFile(data(QStringLiteral("mixed_lf.txt")));
    TestFolders::writeFile(path, original);
    HostGridModel m;
    QCOMPARE(THostList(m).LoadHostList(path), 2);
    QCOMPARE(m.nameText(0), QStringLiteral("  空白付き名前  "));
    QCOMPARE(m.nameText(1), QStringLiteral("ゲーム鯖"));
    QCOMPARE(m.addressText(0), QStringLiteral("1.1.1.1:2346"));
    QCOMPARE(m.addressText(1), QStringLiteral("2.2.2.2"));
    m.removeHost(0);
    THostList(m).SaveHostList(path);

    const QByteArray saved = TestFolders::readFile(path);
    const QList<QByteArray> lines = saved.split('\n');
    // The comment and the other sections stay where they were, as they were.
    QCOMPARE(lines.at(0), original.split('\n').at(0));
    QCOMPARE(lines.at(1), QByteArrayLiteral("[Other]"));
    QVERIFY(saved.contains("\n[Other2]\nHostIP3=3.3.3.3\n"));
    QVERIFY(saved.endsWith("HostIP3=3.3.3.3\n"));
    // The keys keep their place and spelling; the new ones end the section, in order.
    QVERIFY(saved.contains("\n[hostlist]\nhostname1=" + cp932::fromUnicode(QStringLiteral("ゲーム鯖")) +
                           "\r\nHOSTIP1=2.2.2.2\r\n"));
    QVERIFY(saved.contains("hostName2=\r\n"));
    QVERIFY(saved.contains("hostip2=\r\n"));
    QVERIFY(saved.contains("Hostname3=\r\nHostIP3=\r\n"));
    QVERIFY(saved.contains("Hostname50=\r\nHostIP50=\r\n[Other2]"));

    HostGridModel again;
    QCOMPARE(THostList(again).LoadHostList(path), 1);
    QCOMPARE(again.nameText(0), QStringLiteral("ゲーム鯖"));
    QCOMPARE(again.addressText(0), QStringLiteral("2.2.2.2"));
}

void TestHostList::valuesThatTheReaderWouldChange_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("address");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("plain") << QByteArrayLiteral("a \"b\" c") << QByteArrayLiteral("1.1.1.1")
                           << QByteArrayLiteral("Hostname1=a \"b\" c\r\n");
    QTest::newRow("blanks around") << QByteArrayLiteral("  spaced ") << QByteArrayLiteral(" 1.1.1.1")
                                   << QByteArrayLiteral("Hostname1=\"  spaced \"\r\nHostIP1=\" 1.1.1.1\"\r\n");
    QTest::newRow("enclosing quotes") << QByteArrayLiteral("\"Clan\"") << QByteArrayLiteral("'x'")
                                      << QByteArrayLiteral("Hostname1=\"\"Clan\"\"\r\nHostIP1=\"'x'\"\r\n");
    QTest::newRow("one quote") << QByteArrayLiteral("\"") << QByteArrayLiteral("1")
                               << QByteArrayLiteral("Hostname1=\"\r\n");
}

void TestHostList::valuesThatTheReaderWouldChange()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, address);
    QFETCH(QByteArray, line);
    TestFolders f;
    const QString path = f.program(THostList::fileName());
    HostGridModel m;
    QVERIFY(m.appendHost(name, address));
    THostList(m).SaveHostList(path);
    QVERIFY2(TestFolders::readFile(path).contains(line), TestFolders::readFile(path).left(80).constData());
    HostGridModel again;
    QCOMPARE(THostList(again).LoadHostList(path), 1);
    QCOMPARE(again.host(0).name, name);
    QCOMPARE(again.host(0).address, address);
}

void TestHostList::hugeFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("hosts");
    const qsizetype size = 10 * 1024 * 1024;
    QByteArray junkLines = QByteArrayLiteral("[HostList]\r\nHostname1=a\r\nHostIP1=1\r\n");
    while (junkLines.size() < size)
        junkLines += QByteArrayLiteral("junk=0123456789abcdefghijklmnopqrstuvwxyz\r\n");
    QTest::newRow("10 MB of lines in the section") << junkLines << 1;

    QByteArray random(size, Qt::Uninitialized);
    QRandomGenerator gen(932);
    for (char& c : random)
        c = char(gen.bounded(256));
    QTest::newRow("10 MB of random bytes") << random << 0;
    QTest::newRow("10 MB on one line") << ("[HostList]\r\nHostIP1=1\r\nx=" + QByteArray(size, 'x')) << 1;
}

void TestHostList::hugeFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, hosts);
    TestFolders f;
    const QString path = f.program(THostList::fileName());
    TestFolders::writeFile(path, bytes);
    HostGridModel m;
    QCOMPARE(THostList(m).LoadHostList(path), hosts);
    THostList(m).SaveHostList(path);
    const ProfileFile saved(path);
    QCOMPARE(saved.readString("HostList", "HostIP1"), hosts ? QByteArrayLiteral("1") : QByteArray());
    QVERIFY(saved.hasKey("HostList", "HostIP50"));
}

void TestHostList::saveFailureNamesThePath()
{
    TestFolders f;
    const QString path = f.program(QStringLiteral("missing/folder/hostlist.txt"));
    HostGridModel m;
    m.appendHost(QByteArrayLiteral("a"), QByteArrayLiteral("1"));
    try {
        THostList(m).SaveHostList(path);
        QFAIL("the save did not fail");
    } catch (const UserError& e) {
        QVERIFY2(e.text().endsWith(QStringLiteral(" に書き込めません")), qPrintable(e.text()));
        QVERIFY2(e.text().contains(QStringLiteral("hostlist.txt")), qPrintable(e.text()));
    }
    QVERIFY(!QFile::exists(path));
}

void TestHostList::firstRunQuestion_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("withCallback");
    QTest::addColumn<int>("opened");
    QTest::newRow("yes") << true << true << 1;
    QTest::newRow("no") << false << true << 0;
    // Nowhere to download from: a question whose "Yes" could do nothing is not asked.
    QTest::newRow("without a web list") << true << false << 0;
}

void TestHostList::firstRunQuestion()
{
    QFETCH(bool, answer);
    QFETCH(bool, withCallback);
    QFETCH(int, opened);
    TestFolders f;
    ScriptedPrompter prompter;
    prompter.answers << answer;
    HostGridModel m;
    int calls = 0;
    std::function<void()> openWebList;
    if (withCallback)
        openWebList = [&] { ++calls; };
    QCOMPARE(THostList(m).CheckHostListFile(f.program(THostList::fileName()), prompter, openWebList), withCallback);
    QCOMPARE(calls, opened);
    QVERIFY(!QFile::exists(f.program(THostList::fileName())));
    if (!withCallback) {
        QVERIFY(prompter.asked.isEmpty());
        return;
    }
    QCOMPARE(prompter.asked.size(), 1);
    QCOMPARE(prompter.asked.at(0).kind, QStringLiteral("confirm"));
    QCOMPARE(prompter.asked.at(0).icon, Prompter::Icon::Question);
    QCOMPARE(prompter.asked.at(0).text,
             QStringLiteral(
                 "ホストリストが見つかりませんでした。\r\nインターネットから最新のホストリストをダウンロードすること"
                 "が出来ます。\r\nダウンロードを実行しますか？"));
}

void TestHostList::noQuestionWhenTheFileExists()
{
    TestFolders f;
    TestFolders::writeFile(f.program(THostList::fileName()), QByteArray());
    ScriptedPrompter prompter;
    HostGridModel m;
    bool opened = false;
    QVERIFY(!THostList(m).CheckHostListFile(f.program(THostList::fileName()), prompter, [&] { opened = true; }));
    QVERIFY(prompter.asked.isEmpty());
    QVERIFY(!opened);
}

QTEST_GUILESS_MAIN(TestHostList)
#include "tst_THostList.moc"
