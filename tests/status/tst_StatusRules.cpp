// SPDX-License-Identifier: MIT
#include "hosts/HostGridModel.h"
#include "status/StatusRules.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace statusrules;

namespace {

HostGridModel* makeHosts(QObject* parent, const QList<QByteArray>& names)
{
    auto* hosts = new HostGridModel(parent);
    for (const QByteArray& name : names)
        hosts->appendHost(name, "10.0.0." + name + ":2346");
    return hosts;
}

QStringList namesOf(const HostGridModel& hosts)
{
    QStringList names;
    for (int i = 0; i < hosts.hostCount(); ++i)
        names << hosts.nameText(i);
    return names;
}

QStringList statusesOf(const HostGridModel& hosts)
{
    QStringList statuses;
    for (int i = 0; i < hosts.hostCount(); ++i)
        statuses << hosts.host(i).status;
    return statuses;
}

} // namespace

class TestStatusRules : public QObject
{
    Q_OBJECT
private slots:
    void cellText_data();
    void cellText();
    void applyResults_data();
    void applyResults();
    void liveHostsMoveUpKeepingEachHostsResult();
    void moveLiveHostsUpAlone_data();
    void moveLiveHostsUpAlone();
    void codePage932Cells();
};

void TestStatusRules::cellText_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("cell");
    QTest::newRow("dedicated") << QByteArray("3/16[25]Yes") << QByteArray("3/16[25]");
    QTest::newRow("not dedicated adds one") << QByteArray("3/16[25]No") << QByteArray("4/17[25]");
    QTest::newRow("two digits") << QByteArray("12/16[30]No") << QByteArray("13/17[30]");
    QTest::newRow("zero") << QByteArray("0/8[5]No") << QByteArray("1/9[5]");
    QTest::newRow("qstat's own times") << QByteArray("2/7[00:00:25]No") << QByteArray("3/8[00:00:25]");
    QTest::newRow("qstat dedicated") << QByteArray("3/16[00:25:00]Yes") << QByteArray("3/16[00:25:00]");
    QTest::newRow("nine to ten") << QByteArray("9/9[1]No") << QByteArray("10/10[1]");
    QTest::newRow("did not answer") << QByteArray("-") << QByteArray();
    QTest::newRow("no bracket") << QByteArray("garbage") << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("no dedicated rule") << QByteArray("3/16[25]") << QByteArray("3/16[25]");
    QTest::newRow("not a number") << QByteArray("x/8[5]No") << QByteArray("x/8[5]");
    QTest::newRow("empty number") << QByteArray("/8[5]No") << QByteArray("/8[5]");
    QTest::newRow("signed number") << QByteArray("+3/8[5]No") << QByteArray("+3/8[5]");
    QTest::newRow("blank in number") << QByteArray(" 3/8[5]No") << QByteArray(" 3/8[5]");
    QTest::newRow("huge number") << QByteArray("99999999999999999999/8[5]No")
                                 << QByteArray("99999999999999999999/8[5]");
    QTest::newRow("largest taken") << QByteArray("999999/8[5]No") << QByteArray("1000000/9[5]");
    QTest::newRow("maximum not a number") << QByteArray("3/x[5]No") << QByteArray("4/x[5]");
    QTest::newRow("no maximum") << QByteArray("3/[5]No") << QByteArray("4/[5]");
    QTest::newRow("no slash") << QByteArray("5[3]No") << QByteArray("5[3]");
    QTest::newRow("only a bracket") << QByteArray("]No") << QByteArray("]");
    QTest::newRow("No in other case") << QByteArray("3/16[25]no") << QByteArray("3/16[25]");
    QTest::newRow("more after No") << QByteArray("3/16[25]No ") << QByteArray("3/16[25]");
    QTest::newRow("second bracket") << QByteArray("3/16[2]5]No") << QByteArray("3/16[2]");
    QTest::newRow("slash after bracket") << QByteArray("3[2]/No") << QByteArray("3[2]");
    QTest::newRow("binary") << QByteArray("\x00\x01/\xff]No", 7) << QByteArray("\x00\x01/\xff]", 5);
}

void TestStatusRules::cellText()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, cell);
    QCOMPARE(statusCellText(line), cell);
}

void TestStatusRules::applyResults_data()
{
    QTest::addColumn<QString>("hosts"); // one letter per host, every cell "old" before
    QTest::addColumn<QList<QByteArray>>("results");
    QTest::addColumn<bool>("liveFirst");
    QTest::addColumn<QString>("order");
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("results land on their rows")
        << QStringLiteral("ABC") << QList<QByteArray>{"3/16[25]Yes", "3/16[25]No", "x/8[5]No"} << false
        << QStringLiteral("ABC")
        << QStringList{QStringLiteral("3/16[25]"), QStringLiteral("4/17[25]"), QStringLiteral("x/8[5]")};
    QTest::newRow("a silent host empties only its own row")
        << QStringLiteral("ABC") << QList<QByteArray>{"1/8[5]Yes", "-", "2/8[5]Yes"} << false << QStringLiteral("ABC")
        << QStringList{QStringLiteral("1/8[5]"), QString(), QStringLiteral("2/8[5]")};
    QTest::newRow("lines past the last host are ignored")
        << QStringLiteral("AB") << QList<QByteArray>{"1/8[5]Yes", "2/8[5]Yes", "3/8[5]Yes", "4/8[5]Yes"} << true
        << QStringLiteral("AB") << QStringList{QStringLiteral("1/8[5]"), QStringLiteral("2/8[5]")};
    QTest::newRow("no results empty every cell") << QStringLiteral("AB") << QList<QByteArray>{} << true
                                                 << QStringLiteral("AB") << QStringList{QString(), QString()};
    QTest::newRow("live hosts move up") << QStringLiteral("ABCD")
                                        << QList<QByteArray>{"-", "1/8[5]Yes", "-", "2/8[5]No"} << true
                                        << QStringLiteral("BDAC")
                                        << QStringList{QStringLiteral("1/8[5]"), QStringLiteral("3/9[5]"), QString(),
                                                       QString()};
    QTest::newRow("no moves when the option is off")
        << QStringLiteral("ABCD") << QList<QByteArray>{"-", "1/8[5]Yes", "-", "2/8[5]Yes"} << false
        << QStringLiteral("ABCD")
        << QStringList{QString(), QStringLiteral("1/8[5]"), QString(), QStringLiteral("2/8[5]")};
}

void TestStatusRules::applyResults()
{
    QFETCH(QString, hosts);
    QFETCH(QList<QByteArray>, results);
    QFETCH(bool, liveFirst);
    QFETCH(QString, order);
    QFETCH(QStringList, cells);
    QObject owner;
    QList<QByteArray> names;
    for (const QChar c : hosts)
        names << QByteArray(1, char(c.unicode()));
    HostGridModel* grid = makeHosts(&owner, names);
    for (int i = 0; i < grid->hostCount(); ++i)
        grid->setStatus(i, QStringLiteral("old"));
    QAbstractItemModelTester tester(grid, QAbstractItemModelTester::FailureReportingMode::QtTest);
    ApplyStatusResults(*grid, results, liveFirst);
    QCOMPARE(namesOf(*grid).join(QString()), order);
    QCOMPARE(statusesOf(*grid), cells);
    // Each address moves with its name.
    for (int i = 0; i < grid->hostCount(); ++i)
        QCOMPARE(grid->addressText(i), QStringLiteral("10.0.0.%1:2346").arg(grid->nameText(i)));
}

void TestStatusRules::liveHostsMoveUpKeepingEachHostsResult()
{
    QObject owner;
    HostGridModel* hosts = makeHosts(&owner, {"A", "B", "C", "D", "E", "F"});
    ApplyStatusResults(*hosts, {"1/8[1]Yes", "-", "3/8[3]Yes", "-", "5/8[5]Yes", "6/8[6]Yes"}, true);
    QCOMPARE(namesOf(*hosts), (QStringList{QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("E"),
                                           QStringLiteral("F"), QStringLiteral("B"), QStringLiteral("D")}));
    // Each host shows its own result: the number in each cell is the host's position in the results.
    QCOMPARE(statusesOf(*hosts),
             (QStringList{QStringLiteral("1/8[1]"), QStringLiteral("3/8[3]"), QStringLiteral("5/8[5]"),
                          QStringLiteral("6/8[6]"), QString(), QString()}));

    // The next cycle asks in the new order; when B answers now and A does not, B moves up.
    ApplyStatusResults(*hosts, {"-", "-", "-", "-", "2/8[2]Yes", "-"}, true);
    QCOMPARE(namesOf(*hosts).first(), QStringLiteral("B"));
    QCOMPARE(hosts->host(0).status, QStringLiteral("2/8[2]"));
    QCOMPARE(namesOf(*hosts).mid(1), (QStringList{QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("E"),
                                                  QStringLiteral("F"), QStringLiteral("D")}));
}

void TestStatusRules::moveLiveHostsUpAlone_data()
{
    QTest::addColumn<QString>("live"); // one letter per host: L live, d dead
    QTest::addColumn<QString>("order");
    QTest::newRow("none live") << QStringLiteral("ddd") << QStringLiteral("ABC");
    QTest::newRow("all live") << QStringLiteral("LLL") << QStringLiteral("ABC");
    QTest::newRow("last live") << QStringLiteral("dddL") << QStringLiteral("DABC");
    // Run once over a whole grid, the walk from the bottom fills the first empty row each time, so
    // the live hosts end reversed; run after every result line, as the check does, they keep order.
    QTest::newRow("mixed, at once") << QStringLiteral("dLdLdL") << QStringLiteral("FDBACE");
    QTest::newRow("live first already") << QStringLiteral("LLdd") << QStringLiteral("ABCD");
    QTest::newRow("one host") << QStringLiteral("L") << QStringLiteral("A");
}

void TestStatusRules::moveLiveHostsUpAlone()
{
    QFETCH(QString, live);
    QFETCH(QString, order);
    QObject owner;
    auto* hosts = new HostGridModel(&owner);
    for (int i = 0; i < live.size(); ++i) {
        hosts->appendHost(QByteArray(1, char('A' + i)), "h");
        if (live.at(i) == QLatin1Char('L'))
            hosts->setStatus(i, QStringLiteral("1/8[5]"));
    }
    MoveLiveHostsUp(*hosts);
    QCOMPARE(namesOf(*hosts).join(QString()), order);
}

void TestStatusRules::codePage932Cells()
{
    QObject owner;
    HostGridModel* hosts = makeHosts(&owner, {"1"});
    ApplyStatusResults(*hosts, {QByteArray("1/8[\x83\x5c]Yes")}, false);
    QCOMPARE(hosts->host(0).status, QStringLiteral("1/8[ソ]"));
}

QTEST_GUILESS_MAIN(TestStatusRules)
#include "tst_StatusRules.moc"
