// SPDX-License-Identifier: MIT
#include "hosts/HostGridModel.h"
#include "hosts/THostList.h"
#include "hosts/WebHostList.h"
#include "hosts/WebHostListSettings.h"
#include "platform/Cp932.h"
#include "platform/ProfileFile.h"
#include "support/TestFolders.h"

#include <QFile>
#include <QTest>

namespace {

QByteArray entry(int n, const QByteArray& name, const QByteArray& address)
{
    const QByteArray k = QByteArray::number(n);
    return "Hostname:" + k + '=' + name + "\r\nHostIP:" + k + '=' + address + "\r\n";
}

QByteArray listOf(int count)
{
    QByteArray body = "[HostList]\r\n";
    for (int n = 1; n <= count; ++n)
        body += entry(n, "web" + QByteArray::number(n), "10.1.0." + QByteArray::number(n) + ":2346");
    return body;
}

void fill(HostGridModel& m, int count)
{
    for (int i = 0; i < count; ++i)
        m.appendHost("host" + QByteArray::number(i), "10.0.0." + QByteArray::number(i) + ":2346");
}

QList<QByteArray> addresses(const QList<WebHostEntry>& entries)
{
    QList<QByteArray> out;
    for (const WebHostEntry& e : entries)
        out << e.address;
    return out;
}

} // namespace

class TestWebHostList : public QObject
{
    Q_OBJECT
private slots:
    void readsUpToTheFirstGap_data();
    void readsUpToTheFirstGap();
    void japaneseNamesStayBytes();
    void marks_data();
    void marks();
    void importStopsAtTheLimit_data();
    void importStopsAtTheLimit();
    void exportWritesExactlyTheHosts();
    void exportOfAnEmptyList();
    void settingsUrl_data();
    void settingsUrl();
};

void TestWebHostList::readsUpToTheFirstGap_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QList<QByteArray>>("expected");
    const QByteArray a = "1.1.1.1:1", b = "2.2.2.2:2", c = "3.3.3.3:3";
    QTest::newRow("two entries") << "[HostList]\r\n" + entry(1, "a", a) + entry(2, "b", b) << QList<QByteArray>{a, b};
    QTest::newRow("gap at HostIP:2") << "[HostList]\r\n" + entry(1, "a", a) + entry(3, "c", c) << QList<QByteArray>{a};
    QTest::newRow("empty address ends the list")
        << "[HostList]\r\n" + entry(1, "a", a) + entry(2, "b", "\"\"") + entry(3, "c", c) << QList<QByteArray>{a};
    QTest::newRow("blank-only address is left out")
        << "[HostList]\r\n" + entry(1, "a", "\"   \"") + entry(2, "b", b) << QList<QByteArray>{b};
    QTest::newRow("control byte in an address is left out")
        << "[HostList]\r\n" + entry(1, "a", QByteArray("1.1.1.1\x00:1", 10)) + entry(2, "b", b) << QList<QByteArray>{b};
    QTest::newRow("quotes and blanks are the reader's")
        << "[HostList]\r\n" + entry(1, "a", "  \" 1.1.1.1:1 \"  ") << QList<QByteArray>{" 1.1.1.1:1 "};
    QTest::newRow("LF only") << "[HostList]\n" + entry(1, "a", a).replace("\r\n", "\n") << QList<QByteArray>{a};
    QTest::newRow("keys without the colon are not the web list's")
        << QByteArray("[HostList]\r\nHostname1=a\r\nHostIP1=1.1.1.1:1\r\n") << QList<QByteArray>{};
    QTest::newRow("HTML error page") << QByteArray("<html><body><h1>Not Found</h1></body></html>\r\n")
                                     << QList<QByteArray>{};
    QTest::newRow("empty body") << QByteArray() << QList<QByteArray>{};
    QTest::newRow("binary") << QByteArray("\x00\xff\x81[Host\x00List]\r\n\x1a\x80", 16) << QList<QByteArray>{};
    QList<QByteArray> fifty;
    for (int n = 1; n <= 50; ++n)
        fifty << "10.1.0." + QByteArray::number(n) + ":2346";
    QTest::newRow("60 entries give 50") << listOf(60) << fifty;
}

void TestWebHostList::readsUpToTheFirstGap()
{
    QFETCH(QByteArray, body);
    QFETCH(QList<QByteArray>, expected);
    HostGridModel m;
    QCOMPARE(addresses(webhostlist::read(body, m)), expected);
}

void TestWebHostList::japaneseNamesStayBytes()
{
    const QByteArray body = TestFolders::readFile(QStringLiteral(HOSTS_DATA_DIR "/weblist_japanese.txt"));
    HostGridModel m;
    const QList<WebHostEntry> entries = webhostlist::read(body, m);
    QCOMPARE(entries.size(), 2);
    // Trail bytes 0x5C stay where they are, and the name shows as written.
    QCOMPARE(cp932::toUnicode(entries[0].name), QStringLiteral("ソフト表示の部屋"));
    QCOMPARE(cp932::toUnicode(entries[1].name), QStringLiteral("Ｇｈｏｓｔ鯖"));
}

void TestWebHostList::marks_data()
{
    QTest::addColumn<QByteArray>("registered");
    QTest::addColumn<QByteArray>("offered");
    QTest::addColumn<bool>("isRegistered");
    QTest::newRow("same address, other name")
        << QByteArray("host.example:2346") << QByteArray("host.example:2346") << true;
    QTest::newRow("other letter case is new")
        << QByteArray("host.example:2346") << QByteArray("HOST.example:2346") << false;
    QTest::newRow("other port is new") << QByteArray("10.0.0.1:2346") << QByteArray("10.0.0.1:2347") << false;
}

void TestWebHostList::marks()
{
    QFETCH(QByteArray, registered);
    QFETCH(QByteArray, offered);
    QFETCH(bool, isRegistered);
    HostGridModel m;
    m.appendHost("mine", registered);
    const QList<WebHostEntry> entries = webhostlist::read("[HostList]\r\n" + entry(1, "theirs", offered), m);
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries[0].registered, isRegistered);
    QCOMPARE(entries[0].checked, !isRegistered);
}

void TestWebHostList::importStopsAtTheLimit_data()
{
    QTest::addColumn<int>("listed");
    QTest::addColumn<int>("offered");
    QTest::addColumn<int>("added");
    QTest::newRow("5 into 48") << 48 << 5 << 2;
    QTest::newRow("3 into 0") << 0 << 3 << 3;
    QTest::newRow("1 into 50") << 50 << 1 << 0;
}

void TestWebHostList::importStopsAtTheLimit()
{
    QFETCH(int, listed);
    QFETCH(int, offered);
    QFETCH(int, added);
    HostGridModel m;
    fill(m, listed);
    const QList<WebHostEntry> entries = webhostlist::read(listOf(offered), HostGridModel());
    const webhostlist::ImportResult result = webhostlist::importHosts(m, entries);
    QCOMPARE(result.added, added);
    QCOMPARE(result.refused, offered - added);
    QCOMPARE(m.hostCount(), listed + added);
    if (added > 0)
        QCOMPARE(m.host(listed).address, entries.first().address);
}

void TestWebHostList::exportWritesExactlyTheHosts()
{
    TestFolders f;
    const QString path = f.path(QStringLiteral("export.txt"));
    // An earlier, longer export and a line of the user's own: the new file holds neither.
    TestFolders::writeFile(path, "[HostList]\r\nHostname4=old\r\nHostIP4=9.9.9.9:1\r\n; note\r\n");
    HostGridModel m;
    m.appendHost("one", "1.1.1.1:1");
    m.appendHost(" spaced ", "2.2.2.2:2");
    m.appendHost("", "3.3.3.3:3");
    QCOMPARE(THostList(m).ExportHostList(path), 3);
    QCOMPARE(TestFolders::readFile(path), QByteArray("[HostList]\r\n"
                                                     "Hostname1=one\r\nHostIP1=1.1.1.1:1\r\n"
                                                     "Hostname2=\" spaced \"\r\nHostIP2=2.2.2.2:2\r\n"
                                                     "Hostname3=\r\nHostIP3=3.3.3.3:3\r\n"));
    // And it reads back as the same hosts.
    HostGridModel back;
    QCOMPARE(THostList(back).LoadHostList(path), 3);
    QCOMPARE(back.host(1).name, QByteArray(" spaced "));
}

void TestWebHostList::exportOfAnEmptyList()
{
    TestFolders f;
    HostGridModel m;
    const QString fresh = f.path(QStringLiteral("new.txt"));
    QCOMPARE(THostList(m).ExportHostList(fresh), 0);
    QVERIFY(!QFile::exists(fresh));
    const QString old = f.path(QStringLiteral("old.txt"));
    TestFolders::writeFile(old, "[HostList]\r\nHostname1=a\r\nHostIP1=1.1.1.1:1\r\n");
    QCOMPARE(THostList(m).ExportHostList(old), 0);
    QCOMPARE(TestFolders::readFile(old), QByteArray("[HostList]\r\n"));
}

void TestWebHostList::settingsUrl_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("url");
    QTest::addColumn<QByteArray>("written"); // after read and write
    QTest::newRow("absent: no key is added") << QByteArray("[Path]\r\nGhostReconPath=C:\\GR\r\n") << QByteArray()
                                             << QByteArray("[Path]\r\nGhostReconPath=C:\\GR\r\n");
    QTest::newRow("present: kept as its bytes")
        << QByteArray("[network]\r\nhostlisturl = \"http://h.example/Morvane/archives/hostlist.txt\" \r\n")
        << QByteArray("http://h.example/Morvane/archives/hostlist.txt")
        << QByteArray("[network]\r\nhostlisturl = \"http://h.example/Morvane/archives/hostlist.txt\" \r\n");
    QTest::newRow("present but empty") << QByteArray("[Network]\r\nHostListURL=\r\n") << QByteArray()
                                       << QByteArray("[Network]\r\nHostListURL=\r\n");
}

void TestWebHostList::settingsUrl()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, url);
    QFETCH(QByteArray, written);
    ProfileFile ini = ProfileFile::fromBytes(file);
    const WebHostListSettings s = WebHostListSettings::read(ini);
    QCOMPARE(s.hostListUrl.value(), url);
    QCOMPARE(s.hasUrl(), !url.isEmpty());
    s.write(ini);
    QCOMPARE(ini.bytes(), written);
    // A key read at start-up and gone by the end comes back.
    if (s.hostListUrl.isStored()) {
        ProfileFile empty;
        s.write(empty);
        QCOMPARE(empty.readString("Network", "HostListURL"), url);
    }
}

QTEST_GUILESS_MAIN(TestWebHostList)
#include "tst_WebHostList.moc"
