// SPDX-License-Identifier: MIT
// The query program's own failures reach the user: its exit code and error output, and the
// addresses it cannot take, which are left out so that every other host keeps its own status.
#include "FakeHosts.h"
#include "FakeQstatSetup.h"
#include "hosts/HostGridModel.h"
#include "hosts/HostsPage.h"
#include "platform/Executables.h"
#include "status/QueryFiles.h"
#include "status/QueryProblems.h"
#include "status/StatusCheck.h"
#include "status/THostInfoDlg.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolders.h"

#include <QAction>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace queryproblems;

namespace {

const QString StartHint = QStringLiteral("登録されているホストの稼働状況チェックを開始します");

} // namespace

class TestQueryProblems : public QObject
{
    Q_OBJECT
private slots:
    void rejection_data();
    void rejection();
    void planLeavesRejectedHostsOut();
    void resultsSpreadBackToTheirHosts();
    void runProblem_data();
    void runProblem();
    void errorOutputReachesTheButtonsTooltip();
    void rejectedAddressesAreNamedAndSkipped();
    void onlyRejectedHostsRunNothing();
    void hostInformationFailureIsReported();
    void realQstatKeepsEveryHostOnItsRow();

private:
    struct Check;
};

void TestQueryProblems::rejection_data()
{
    QTest::addColumn<QByteArray>("address");
    QTest::addColumn<bool>("rejected");
    QTest::newRow("address and port") << QByteArray("10.0.0.1:2346") << false;
    QTest::newRow("no port") << QByteArray("example.org") << false;
    QTest::newRow("blank") << QByteArray("bad host:12") << true;
    QTest::newRow("tab") << QByteArray("a\tb") << true;
    QTest::newRow("trailing blank") << QByteArray("10.0.0.1:5 ") << true;
    QTest::newRow("port 0") << QByteArray("10.0.0.1:0") << true;
    QTest::newRow("port 65536") << QByteArray("10.0.0.1:65536") << true;
    QTest::newRow("port 131072") << QByteArray("10.0.0.1:131072") << true;
    QTest::newRow("port -65536") << QByteArray("10.0.0.1:-65536") << true;
    QTest::newRow("port 0 then letters") << QByteArray("10.0.0.1:0abc") << true;
    QTest::newRow("port 65535") << QByteArray("10.0.0.1:65535") << false;
    QTest::newRow("port 70000 (taken modulo)") << QByteArray("10.0.0.1:70000") << false;
    QTest::newRow("port -1") << QByteArray("10.0.0.1:-1") << false;
    QTest::newRow("port without digits") << QByteArray("10.0.0.1:abc") << false;
    QTest::newRow("empty port") << QByteArray("10.0.0.1:") << false;
    QTest::newRow("port after the first colon only") << QByteArray("a:b:0") << false;
    QTest::newRow("second colon then 0") << QByteArray("host:0:1") << true;
    QTest::newRow("huge port saturates") << QByteArray("h:99999999999999999999999") << false;
    QTest::newRow("huge negative port saturates") << QByteArray("h:-99999999999999999999999") << true;
    QTest::newRow("200 bytes") << QByteArray(200, 'a') << false;
    QTest::newRow("201 bytes") << QByteArray(201, 'a') << true;
    QTest::newRow("double-byte name") << QByteArray("\x83\x5C\x83\x8D.example:2346") << false;
}

void TestQueryProblems::rejection()
{
    QFETCH(QByteArray, address);
    QFETCH(bool, rejected);
    QCOMPARE(!rejectionReason(address).isEmpty(), rejected);
}

void TestQueryProblems::planLeavesRejectedHostsOut()
{
    HostGridModel hosts;
    hosts.appendHost("A", "a:1");
    hosts.appendHost("B", "bad host:1");
    hosts.appendHost("C", "c:1");
    hosts.appendHost("D", "d:0");
    const AddressPlan plan = planAddresses(hosts);
    QCOMPARE(plan.bytes, QByteArray("GRS a:1\r\nGRS c:1\r\n"));
    QCOMPARE(plan.sent, (QList<int>{0, 2}));
    QCOMPARE(plan.rejected, (QList<int>{1, 3}));
    const QString text = rejectedText(hosts, plan.rejected);
    QCOMPARE(text.count(QLatin1Char('\n')), 1);
    QVERIFY(text.contains(QStringLiteral("「B」(bad host:1)")));
    QVERIFY(text.contains(QStringLiteral("「D」(d:0)")));
}

void TestQueryProblems::resultsSpreadBackToTheirHosts()
{
    const QList<QByteArray> none = {"-", "-", "-", "-"};
    QCOMPARE(resultsPerHost({"1/8[5]Yes", "2/8[5]Yes"}, {0, 2}, 4),
             (QList<QByteArray>{"1/8[5]Yes", "-", "2/8[5]Yes", "-"}));
    // Fewer lines than hosts sent: the rest did not answer.
    QCOMPARE(resultsPerHost({"1/8[5]Yes"}, {1, 3}, 4), (QList<QByteArray>{"-", "1/8[5]Yes", "-", "-"}));
    QCOMPARE(resultsPerHost({}, {}, 4), none);
    // Lines past the hosts sent are ignored.
    QCOMPARE(resultsPerHost({"a", "b", "c"}, {3}, 4), (QList<QByteArray>{"-", "-", "-", "a"}));
}

void TestQueryProblems::runProblem_data()
{
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("crashed");
    QTest::addColumn<QByteArray>("errors");
    QTest::addColumn<QStringList>("expected"); // empty: a clean run

    QTest::newRow("clean") << 0 << false << QByteArray() << QStringList{};
    QTest::newRow("blank error output is clean") << 0 << false << QByteArray(" \n\r\n") << QStringList{};
    QTest::newRow("exit code alone") << 1 << false << QByteArray()
                                     << QStringList{QStringLiteral("qstat がエラーで終了しました（終了コード 1）")};
    QTest::newRow("error output alone") << 0 << false << QByteArray("HostIPList.dat: No such file or directory\n")
                                        << QStringList{
                                               QStringLiteral("qstat: HostIPList.dat: No such file or directory")};
    QTest::newRow("crash") << 0 << true << QByteArray("*** stack smashing detected ***: terminated\n")
                           << QStringList{QStringLiteral("qstat が異常終了しました"),
                                          QStringLiteral("qstat: *** stack smashing detected ***: terminated")};
    QTest::newRow("many lines are cut") << 2 << false << QByteArray("1\n2\n3\n4\n5\n6\n7\n")
                                        << QStringList{QStringLiteral("qstat がエラーで終了しました（終了コード 2）"),
                                                       QStringLiteral("qstat: 1"),
                                                       QStringLiteral("qstat: 2"),
                                                       QStringLiteral("qstat: 3"),
                                                       QStringLiteral("qstat: 4"),
                                                       QStringLiteral("qstat: 5"),
                                                       QStringLiteral("qstat: …")};
}

void TestQueryProblems::runProblem()
{
    QFETCH(int, exitCode);
    QFETCH(bool, crashed);
    QFETCH(QByteArray, errors);
    QFETCH(QStringList, expected);
    RunReport report;
    report.exitCode = exitCode;
    report.crashed = crashed;
    report.errorOutput = errors;
    const QString text = runProblemText(report);
    QCOMPARE(text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n')), expected);
}

struct TestQueryProblems::Check
{
    TestFolders folders;
    FakeQstatSetup fake{folders.programFolder()};
    HostGridModel hosts;
    QPushButton button;
    ScriptedPrompter prompter;
    StatusCheck check{prompter, hosts, folders.programFolder(), &button};
    QSignalSpy results{&check, &StatusCheck::resultsApplied};
    QSignalSpy problems{&check, &StatusCheck::queryProblemChanged};

    Check()
    {
        queryfiles::WriteQueryTemplates(folders.programFolder());
        check.setInterval(20);
    }
    ~Check() { check.stopAndWait(); }
    QStringList statuses() const
    {
        QStringList out;
        for (int i = 0; i < hosts.hostCount(); ++i)
            out << hosts.host(i).status;
        return out;
    }
};

void TestQueryProblems::errorOutputReachesTheButtonsTooltip()
{
    Check c;
    c.hosts.appendHost("A", "a.example:2346");
    c.fake.setScenario("host a.example:2346 3 16 00:10:00 Yes\nstderr warning: odd packet from a.example\nexit 1\n");
    c.button.click();
    QVERIFY(c.results.wait(10000));
    const QString tip = c.button.toolTip();
    QVERIFY2(tip.startsWith(QStringLiteral("稼働チェックを停止します\n\n")), qPrintable(tip));
    QVERIFY2(tip.contains(QStringLiteral("終了コード 1")), qPrintable(tip));
    QVERIFY2(tip.contains(QStringLiteral("qstat: warning: odd packet from a.example")), qPrintable(tip));
    QCOMPARE(c.check.queryProblem(), tip.mid(tip.indexOf(QStringLiteral("\n\n")) + 2));
    // The results still count.
    QCOMPARE(c.statuses(), QStringList{QStringLiteral("3/16[00:10:00]")});

    // A clean cycle takes the message away again.
    c.fake.setScenario("host a.example:2346 4 16 00:10:00 Yes\n");
    QTRY_VERIFY_WITH_TIMEOUT(c.check.queryProblem().isEmpty(), 10000);
    QCOMPARE(c.button.toolTip(), QStringLiteral("稼働チェックを停止します"));
    QVERIFY(c.problems.size() >= 2);
    QVERIFY(c.prompter.asked.isEmpty());
    c.check.stopAndWait();
    QCOMPARE(c.button.toolTip(), StartHint);
}

void TestQueryProblems::rejectedAddressesAreNamedAndSkipped()
{
    Check c;
    c.hosts.appendHost("A", "a.example:2346");
    c.hosts.appendHost("Typo", "b.example 2346");
    c.hosts.appendHost("Zero", "c.example:0");
    c.hosts.appendHost("D", "d.example:2346");
    c.fake.setScenario("host a.example:2346 1 8 00:01:00 Yes\nhost d.example:2346 2 8 00:02:00 Yes\n");
    c.button.click();
    QVERIFY(c.results.wait(10000));
    QCOMPARE(TestFolders::readFile(c.folders.program(QStringLiteral("HostIPList.dat"))),
             QByteArray("GRS a.example:2346\r\nGRS d.example:2346\r\n"));
    QCOMPARE(c.statuses(),
             (QStringList{QStringLiteral("1/8[00:01:00]"), QString(), QString(), QStringLiteral("2/8[00:02:00]")}));
    const QString problem = c.check.queryProblem();
    QVERIFY2(problem.contains(QStringLiteral("b.example 2346")), qPrintable(problem));
    QVERIFY2(problem.contains(QStringLiteral("c.example:0")), qPrintable(problem));
    QVERIFY(c.button.toolTip().endsWith(problem));
}

void TestQueryProblems::onlyRejectedHostsRunNothing()
{
    Check c;
    c.hosts.appendHost("Zero", "c.example:0");
    c.button.click();
    QVERIFY(c.results.wait(10000));
    QVERIFY(c.fake.runs().isEmpty());
    QCOMPARE(c.statuses(), QStringList{QString()});
    QVERIFY(c.check.queryProblem().contains(QStringLiteral("c.example:0")));
}

void TestQueryProblems::hostInformationFailureIsReported()
{
    TestFolders folders;
    FakeQstatSetup fake(folders.programFolder());
    queryfiles::WriteQueryTemplates(folders.programFolder());
    ScriptedPrompter prompter;
    HostsPage page(prompter);
    page.hosts().appendHost("Zero", "10.0.0.1:0");
    THostInfoDlg dialog(prompter, folders.programFolder(), page, {});
    fake.setScenario("on info nofile\non info stderr cannot query 10.0.0.1:0\non info exit 1\n");
    page.hostInfoAction()->trigger();
    QCOMPARE(prompter.asked.size(), 1);
    QCOMPARE(prompter.asked[0].icon, Prompter::Icon::Error);
    const QString text = prompter.asked[0].text;
    QVERIFY2(text.contains(QStringLiteral("10.0.0.1:0")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("終了コード 1")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("qstat: cannot query 10.0.0.1:0")), qPrintable(text));
    // The fetch ended in order all the same.
    QVERIFY(page.hostInfoAction()->isEnabled());
    QVERIFY(!dialog.isFetching());
}

void TestQueryProblems::realQstatKeepsEveryHostOnItsRow()
{
    if (executables::findOnPath(QStringLiteral("quakestat")).isEmpty())
        QSKIP("quakestat (Debian package qstat) is not installed");
    FakeHosts live(
        {QStringLiteral("name=One,dedicated=1,slots=3,max=17"), QStringLiteral("name=Two,dedicated=1,slots=5,max=17")});
    QVERIFY(live.isReady());
    TestFolders folders;
    queryfiles::WriteQueryTemplates(folders.programFolder());
    HostGridModel hosts;
    hosts.appendHost("blank", "127.0.0.1 1");
    hosts.appendHost("one", live.addresses().at(0).toLatin1());
    hosts.appendHost("zero", "127.0.0.1:0");
    hosts.appendHost("long", QByteArray(240, 'a'));
    hosts.appendHost("two", live.addresses().at(1).toLatin1());
    QPushButton button;
    ScriptedPrompter prompter;
    StatusCheck check(prompter, hosts, folders.programFolder(), &button);
    QSignalSpy results(&check, &StatusCheck::resultsApplied);
    button.click();
    QVERIFY(results.wait(30000));
    check.stopAndWait();
    QStringList statuses;
    for (int i = 0; i < hosts.hostCount(); ++i)
        statuses << hosts.host(i).status;
    // Without leaving them out, qstat made two hosts of the first, dropped the third and crashed on
    // the fourth: nobody would have had a status, or the wrong one.
    QVERIFY2(statuses[0].isEmpty() && statuses[2].isEmpty() && statuses[3].isEmpty(),
             qPrintable(statuses.join(QLatin1Char(','))));
    QVERIFY2(statuses[1].startsWith(QStringLiteral("2/16[")), qPrintable(statuses.join(QLatin1Char(','))));
    QVERIFY2(statuses[4].startsWith(QStringLiteral("4/16[")), qPrintable(statuses.join(QLatin1Char(','))));
    QCOMPARE(check.queryProblem().count(QLatin1Char('\n')), 2);
    QVERIFY(prompter.asked.isEmpty());
}

QTEST_MAIN(TestQueryProblems)
#include "tst_QueryProblems.moc"
