// SPDX-License-Identifier: MIT
// The real query program (Debian's quakestat) on the program's own command lines, against
// stand-in hosts on 127.0.0.1.
#include "FakeHosts.h"
#include "hosts/HostGridModel.h"
#include "platform/Executables.h"
#include "platform/QueryProgram.h"
#include "platform/TextFile.h"
#include "status/QueryFiles.h"
#include "status/QueryRunner.h"
#include "status/StatusCheck.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolders.h"

#include <QPushButton>
#include <QTest>

class TestQstatEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void statusCheckOfLiveDeadAndDuplicateHosts();
    void hostInformationOfOneHost();

private:
    std::unique_ptr<FakeHosts> m_hosts;
};

void TestQstatEndToEnd::initTestCase()
{
    if (executables::findOnPath(QStringLiteral("quakestat")).isEmpty())
        QSKIP("quakestat (Debian package qstat) is not installed");
    m_hosts = std::make_unique<FakeHosts>(QStringList{
        QStringLiteral("name=Dedicated Fake,dedicated=1,slots=4,max=17,played=100,gametime=1600"),
        QStringLiteral("name=Peer,dedicated=0,slots=3,max=8,played=0,gametime=25"),
    });
    QVERIFY(m_hosts->isReady());
}

void TestQstatEndToEnd::statusCheckOfLiveDeadAndDuplicateHosts()
{
    TestFolders f;
    QVERIFY(queryprogram::find(f.programFolder()).endsWith(QStringLiteral("quakestat")));
    queryfiles::WriteQueryTemplates(f.programFolder());
    const QByteArray dedicated = m_hosts->addresses().at(0).toLatin1();
    const QByteArray peer = m_hosts->addresses().at(1).toLatin1();
    HostGridModel grid;
    grid.appendHost("dead", "127.0.0.1:1"); // nothing listens: refused at once
    grid.appendHost("dedicated", dedicated);
    grid.appendHost("peer", peer);
    grid.appendHost("dedicated again", dedicated); // qstat would drop this line without -allowserverdups
    grid.appendHost("dead again", "127.0.0.1:1");

    ScriptedPrompter prompter;
    QPushButton button;
    StatusCheck check(prompter, grid, f.programFolder(), &button);
    check.setSortLiveHostsFirst([] { return true; });
    button.click();
    QTRY_COMPARE_WITH_TIMEOUT(check.state(), StatusCheck::State::Waiting, 30000);
    check.stopAndWait();
    QVERIFY(prompter.asked.isEmpty());

    QStringList rows;
    for (int i = 0; i < grid.hostCount(); ++i)
        rows << grid.nameText(i) + QLatin1Char('=') + grid.host(i).status;
    QCOMPARE(rows, (QStringList{QStringLiteral("dedicated=3/16[00:25:00]"), QStringLiteral("peer=3/8[00:00:25]"),
                                QStringLiteral("dedicated again=3/16[00:25:00]"), QStringLiteral("dead="),
                                QStringLiteral("dead again=")}));
    // One output line per entry, duplicates included.
    QCOMPARE(textfile::splitLines(TestFolders::readFile(f.program(QStringLiteral("qout.dat")))).size(), 5);
}

void TestQstatEndToEnd::hostInformationOfOneHost()
{
    TestFolders f;
    queryfiles::WriteQueryTemplates(f.programFolder());
    const QString address = m_hosts->addresses().at(0);
    QVERIFY(queryrunner::RunQueryProgram(f.programFolder(), queryfiles::hostInfoArguments(address)));
    const QByteArray info = TestFolders::readFile(f.program(QStringLiteral("hostinfo.dat")));
    QVERIFY2(info.startsWith("Dedicated Fake<>Yes<>3<>16<> origmiss<>1.4<>Castle<>No Mission<>TEAM<>"),
             info.constData());

    QVERIFY(queryrunner::RunQueryProgram(f.programFolder(), queryfiles::playersArguments(address, true)));
    const QByteArray players = TestFolders::readFile(f.program(QStringLiteral("players.dat")));
    QVERIFY2(players.startsWith("GRS{::}" + address.toLatin1() + "{::}Dedicated Fake{::}"), players.constData());
}

QTEST_MAIN(TestQstatEndToEnd)
#include "tst_QstatEndToEnd.moc"
