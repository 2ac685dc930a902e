// SPDX-License-Identifier: MIT
// Watched favourites: the rules over status cycles, what each host last showed, and "hostwatch.txt".
#include "hosts/HostGridModel.h"
#include "hosts/HostWatches.h"
#include "platform/Errors.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

using hostwatch::WatchRule;

Q_DECLARE_METATYPE(hostwatch::WatchRule)

class TestHostWatches : public QObject
{
    Q_OBJECT
private slots:
    void statusCell_data();
    void statusCell();
    void edgeTriggering_data();
    void edgeTriggering();
    void oneAddressTwoRowsFiresOnce();
    void changedRuleFiresAgain();
    void notificationNamesHostAndStatus();
    void lastAnswerKeptForTheRun();
    void fileRoundTrip();
    void listedHostsFirstThenTheOthers();
    void fileKeepsAtMostItsSlots();
    void damagedValues();
    void missingFileGivesNoRules();
    void unreadableFileThrows_data();
    void unreadableFileThrows();
};

void TestHostWatches::statusCell_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<int>("players"); // -1: nothing
    QTest::addColumn<int>("max");
    QTest::newRow("dedicated") << QStringLiteral("3/16[00:25:00]") << 3 << 16;
    QTest::newRow("full") << QStringLiteral("17/17[25]") << 17 << 17;
    QTest::newRow("no time") << QStringLiteral("4/8") << 4 << 8;
    QTest::newRow("did not answer") << QString() << -1 << 0;
    QTest::newRow("hand-edited template") << QStringLiteral("players: 3") << -1 << 0;
    QTest::newRow("no maximum") << QStringLiteral("3/[25]") << -1 << 0;
    QTest::newRow("full-width digits") << QStringLiteral("３/16") << -1 << 0;
}

void TestHostWatches::statusCell()
{
    QFETCH(QString, cell);
    QFETCH(int, players);
    QFETCH(int, max);
    const std::optional<hostwatch::ShownCount> shown = hostwatch::parseStatusCell(cell);
    QCOMPARE(shown.has_value(), players >= 0);
    if (shown) {
        QCOMPARE(shown->players, players);
        QCOMPARE(shown->max, max);
    }
}

void TestHostWatches::edgeTriggering_data()
{
    QTest::addColumn<WatchRule>("rule");
    QTest::addColumn<QStringList>("cycles");   // the host's status cell, cycle after cycle ("" did not answer)
    QTest::addColumn<QStringList>("expected"); // what fired at each cycle

    const QString full = QStringLiteral("16/16[10]");
    const QString free = QStringLiteral("15/16[10]");
    QTest::newRow("slot frees, stays free, fills, frees")
        << WatchRule{true, 0} << QStringList{full, full, free, free, full, free}
        << QStringList{{}, {}, QStringLiteral("free"), {}, {}, QStringLiteral("free")};
    QTest::newRow("free from the first cycle")
        << WatchRule{true, 0} << QStringList{free, free} << QStringList{QStringLiteral("free"), {}};
    QTest::newRow("no answer counts as false")
        << WatchRule{true, 0} << QStringList{free, {}, free, {}, {}}
        << QStringList{QStringLiteral("free"), {}, QStringLiteral("free"), {}, {}};
    QTest::newRow("at least 8") << WatchRule{false, 8}
                                << QStringList{QStringLiteral("7/16"), QStringLiteral("8/16"), QStringLiteral("12/16"),
                                               QStringLiteral("7/16"), QStringLiteral("8/16")}
                                << QStringList{{}, QStringLiteral("enough"), {}, {}, QStringLiteral("enough")};
    QTest::newRow("both rules, each on its own edge")
        << WatchRule{true, 15} << QStringList{full, free, QStringLiteral("14/16"), free, {}, free}
        << QStringList{QStringLiteral("enough"),     QStringLiteral("free"), {}, QStringLiteral("enough"), {},
                       QStringLiteral("free+enough")};
    QTest::newRow("hand-edited template never fires")
        << WatchRule{true, 1} << QStringList{QStringLiteral("x"), QStringLiteral("up")} << QStringList{{}, {}};
    QTest::newRow("unwatched host") << WatchRule{} << QStringList{free, full, free} << QStringList{{}, {}, {}};
}

void TestHostWatches::edgeTriggering()
{
    QFETCH(WatchRule, rule);
    QFETCH(QStringList, cycles);
    QFETCH(QStringList, expected);
    HostGridModel hosts;
    hosts.appendHost("Other", "10.0.0.9:2346");
    hosts.appendHost("Fav", "10.0.0.1:2346");
    HostWatches watches;
    watches.setRule("10.0.0.1:2346", rule);
    QStringList fired;
    for (const QString& cell : cycles) {
        hosts.clearStatuses();
        hosts.setStatus(0, QStringLiteral("1/16[10]"));
        hosts.setStatus(1, cell);
        QStringList reasons;
        for (const HostWatches::Notification& n : watches.evaluate(hosts, QDateTime::currentDateTime())) {
            QCOMPARE(n.address, QStringLiteral("10.0.0.1:2346"));
            reasons << (n.text.contains(QStringLiteral("空き")) ? QStringLiteral("free") : QStringLiteral("enough"));
        }
        fired << reasons.join(QLatin1Char('+'));
    }
    QCOMPARE(fired, expected);
}

void TestHostWatches::oneAddressTwoRowsFiresOnce()
{
    HostGridModel hosts;
    hosts.appendHost("A", "10.0.0.1:2346");
    hosts.appendHost("A again", "10.0.0.1:2346");
    hosts.setStatus(0, QStringLiteral("3/8"));
    hosts.setStatus(1, QStringLiteral("3/8"));
    HostWatches watches;
    watches.setRule("10.0.0.1:2346", {true, 0});
    QCOMPARE(watches.evaluate(hosts, QDateTime::currentDateTime()).size(), 1);
    QCOMPARE(watches.evaluate(hosts, QDateTime::currentDateTime()).size(), 0);
}

void TestHostWatches::changedRuleFiresAgain()
{
    HostGridModel hosts;
    hosts.appendHost("A", "a:1");
    hosts.setStatus(0, QStringLiteral("9/16"));
    HostWatches watches;
    QSignalSpy changed(&watches, &HostWatches::rulesChanged);
    watches.setRule("a:1", {false, 8});
    QCOMPARE(watches.evaluate(hosts, QDateTime::currentDateTime()).size(), 1);
    QCOMPARE(watches.evaluate(hosts, QDateTime::currentDateTime()).size(), 0);
    watches.setRule("a:1", {false, 9});
    QCOMPARE(watches.evaluate(hosts, QDateTime::currentDateTime()).size(), 1);
    watches.setRule("a:1", {});
    QVERIFY(!watches.isWatched("a:1"));
    QCOMPARE(watches.evaluate(hosts, QDateTime::currentDateTime()).size(), 0);
    QCOMPARE(changed.size(), 3);
}

void TestHostWatches::notificationNamesHostAndStatus()
{
    HostGridModel hosts;
    hosts.appendHost("\x83\x5C\x83\x8D", "a:1"); // "ソロ"
    hosts.setStatus(0, QStringLiteral("9/16[00:10:00]"));
    HostWatches watches;
    watches.setRule("a:1", {true, 9});
    const QList<HostWatches::Notification> n = watches.evaluate(hosts, QDateTime::currentDateTime());
    QCOMPARE(n.size(), 2);
    QCOMPARE(n[0].name, QStringLiteral("ソロ"));
    QCOMPARE(n[0].text, QStringLiteral("ソロ に空きがあります  9/16[00:10:00]"));
    QCOMPARE(n[1].text, QStringLiteral("ソロ が9人以上になりました  9/16[00:10:00]"));
}

void TestHostWatches::lastAnswerKeptForTheRun()
{
    HostGridModel hosts;
    hosts.appendHost("A", "a:1");
    hosts.appendHost("B", "b:1");
    HostWatches watches;
    watches.setRule("b:1", {true, 0});
    const QDateTime first(QDate(2026, 12, 9), QTime(21, 3, 15));
    hosts.setStatus(0, QStringLiteral("3/8[25]"));
    watches.evaluate(hosts, first);
    hosts.clearStatuses();
    watches.evaluate(hosts, first.addSecs(10));

    const std::optional<HostWatches::Sighting> seen = watches.lastSighting("a:1");
    QVERIFY(seen);
    QCOMPARE(seen->when, first);
    QCOMPARE(seen->status, QStringLiteral("3/8[25]"));
    QVERIFY(watches.toolTip("a:1").contains(QStringLiteral("2026/12/09 21:03:15")));
    QVERIFY(watches.toolTip("a:1").contains(QStringLiteral("3/8[25]")));
    QVERIFY(!watches.lastSighting("b:1"));
    QCOMPARE(watches.toolTip("b:1"), QStringLiteral("この起動中にはまだ応答がありません\n通知: 空きが出たら通知"));
}

void TestHostWatches::fileRoundTrip()
{
    TestFolders f;
    const QString path = f.program(hostwatch::FileName);
    HostGridModel hosts;
    const QList<QByteArray> addresses = {"10.0.0.1:2346", " spaced ", "\"quoted\"", "\x83\x5C\x83\x8D.example:1"};
    for (const QByteArray& a : addresses)
        hosts.appendHost("h", a);
    HostWatches watches;
    watches.setRule(addresses[0], {true, 0});
    watches.setRule(addresses[1], {false, 12});
    watches.setRule(addresses[2], {true, 36});
    watches.setRule(addresses[3], {true, 1});
    watches.save(path, hosts);
    const QByteArray bytes = TestFolders::readFile(path);
    QVERIFY(bytes.startsWith("[HostWatch]\r\nHostIP1=10.0.0.1:2346\r\nWhenFree1=1\r\nAtLeast1=0\r\n"));
    QVERIFY(bytes.contains("HostIP50=\r\n"));

    HostWatches read;
    read.load(path);
    QCOMPARE(read.ruleCount(), 4);
    for (const QByteArray& a : addresses)
        QCOMPARE(read.rule(a), watches.rule(a));
}

void TestHostWatches::listedHostsFirstThenTheOthers()
{
    TestFolders f;
    const QString path = f.program(hostwatch::FileName);
    HostWatches watches;
    watches.setRule("gone:1", {true, 0}); // its host was deleted: the rule stays with the address
    watches.setRule("b:1", {true, 0});
    watches.setRule("a:1", {false, 4});
    HostGridModel hosts;
    hosts.appendHost("A", "a:1");
    hosts.appendHost("B", "b:1");
    hosts.appendHost("C", "c:1");
    watches.save(path, hosts);
    const QByteArray bytes = TestFolders::readFile(path);
    const qsizetype a = bytes.indexOf("HostIP1=a:1");
    const qsizetype b = bytes.indexOf("HostIP2=b:1");
    const qsizetype gone = bytes.indexOf("HostIP3=gone:1");
    QVERIFY(a >= 0 && b > a && gone > b);
    QVERIFY(bytes.contains("HostIP4=\r\n"));
}

void TestHostWatches::fileKeepsAtMostItsSlots()
{
    TestFolders f;
    const QString path = f.program(hostwatch::FileName);
    HostWatches watches;
    HostGridModel hosts;
    for (int i = 0; i < 60; ++i)
        watches.setRule("h" + QByteArray::number(i), {true, 0});
    hosts.appendHost("last", "h59");
    watches.save(path, hosts);
    HostWatches read;
    read.load(path);
    QCOMPARE(read.ruleCount(), hostwatch::SlotCount);
    QVERIFY(read.isWatched("h59")); // the listed host first
    QVERIFY(read.isWatched("h0"));
    QVERIFY(!read.isWatched("h49"));
}

void TestHostWatches::damagedValues()
{
    TestFolders f;
    const QString path = f.program(hostwatch::FileName);
    TestFolders::writeFile(path, "[hostwatch]\nHostIP1=a:1\nWhenFree1=yes\nAtLeast1=999\n"
                                 "HostIP2=b:1\nWhenFree2=0\nAtLeast2=-3\n"
                                 "HostIP3=c:1\nWhenFree3=0x1\n"
                                 "HostIP5=after-the-gap:1\nWhenFree5=1\n");
    HostWatches watches;
    watches.load(path);
    QCOMPARE(watches.rule("a:1"), (WatchRule{false, hostwatch::MaxAtLeast}));
    QVERIFY(!watches.isWatched("b:1")); // no rule left
    QCOMPARE(watches.rule("c:1"), (WatchRule{true, 0}));
    QVERIFY(!watches.isWatched("after-the-gap:1"));
}

void TestHostWatches::missingFileGivesNoRules()
{
    TestFolders f;
    HostWatches watches;
    watches.setRule("a:1", {true, 0});
    watches.load(f.program(hostwatch::FileName));
    QCOMPARE(watches.ruleCount(), 0);
}

void TestHostWatches::unreadableFileThrows_data()
{
    QTest::addColumn<bool>("folder");
    QTest::newRow("a folder in its place") << true;
    // A part of it would be written back over the whole at the end.
    QTest::newRow("over the size cap") << false;
}

void TestHostWatches::unreadableFileThrows()
{
    QFETCH(bool, folder);
    TestFolders f;
    const QString path = f.program(hostwatch::FileName);
    if (folder)
        QVERIFY(QDir().mkpath(path));
    else
        TestFolders::writeFile(path, "[hostwatch]\r\nHostIP1=b:1\r\nWhenFree1=1\r\n;" + QByteArray(1 << 20, 'x'));
    HostWatches watches;
    watches.setRule("a:1", {true, 0});
    QVERIFY_THROWS_EXCEPTION(UserError, watches.load(path));
    // Nothing was taken from a file that could not be read.
    QVERIFY(watches.isWatched("a:1"));
}

QTEST_APPLESS_MAIN(TestHostWatches)
#include "tst_HostWatches.moc"
