// SPDX-License-Identifier: MIT
// The real query program (Debian's quakestat) on the program's own command lines, against
// stand-in hosts on 127.0.0.1.
#include "FakeHosts.h"
#include "ModCheckWindow.h"
#include "hosts/HostGridModel.h"
#include "hosts/HostGridView.h"
#include "hosts/HostsPage.h"
#include "platform/Cp932.h"
#include "platform/Executables.h"
#include "platform/QueryProgram.h"
#include "platform/TextFile.h"
#include "status/PlayerListModel.h"
#include "status/QueryFiles.h"
#include "status/QueryRunner.h"
#include "status/StatusCheck.h"
#include "status/THostInfoDlg.h"
#include "status/TModChkForm.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolders.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

class TestQstatEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void statusCheckOfLiveDeadAndDuplicateHosts();
    void hostInformationOfOneHost();
    void hostInformationDialog();

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
        // Players "ソロ" (code page 932, its second byte a backslash), "alpha" and "Bravo" on teams 1, 2, 5.
        QStringLiteral("name=Mod Host,dedicated=1,slots=4,max=17,names=%83%5C%83%8D+alpha+Bravo,teams=1+2+5,"
                       "mods=\\mods\\origmiss;\\mods\\mp1;\\mods\\nothere;"),
        QStringLiteral("name=Mod Peer,dedicated=0,slots=4,max=17,names=%83%5C%83%8D+alpha+Bravo,teams=1+2+5,"
                       "mods=\\mods\\origmiss;\\mods\\mp1;\\mods\\nothere;"),
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

void TestQstatEndToEnd::hostInformationDialog()
{
    TestFolders f;
    queryfiles::WriteQueryTemplates(f.programFolder());
    ScriptedPrompter prompter;
    HostsPage page(prompter);
    page.hosts().appendHost("mods", m_hosts->addresses().at(2).toLatin1());
    page.hosts().appendHost("peer", m_hosts->addresses().at(3).toLatin1());
    page.hosts().appendHost("dead", "127.0.0.1:1");
    THostInfoDlg dialog(prompter, f.programFolder(), page,
                        [](QByteArrayView name) { return cp932::equalsIgnoreCase(name, "MP1"); });
    auto value = [&](int row) { return dialog.hostInfoGrid()->item(row, 1)->text(); };
    auto players = [&] {
        QStringList rows;
        for (int r = 0; r < dialog.players()->rowCount(); ++r)
            rows << dialog.players()->index(r, 0).data().toString() + QLatin1Char('=') +
                        dialog.players()->index(r, 1).data().toString();
        return rows;
    };

    page.grid()->setCurrentHost(0);
    page.hostInfoAction()->trigger();
    QCOMPARE(value(0), QStringLiteral("Mod Host"));
    QCOMPARE(value(1), QStringLiteral("3/16"));
    QCOMPARE(dialog.CurrentHostMods(), QByteArray("origmiss; mp1; nothere;"));
    QCOMPARE(value(4), QStringLiteral("Castle"));
    QCOMPARE(players(), (QStringList{QStringLiteral("alpha=Team 1"), QStringLiteral("Bravo=待機中"),
                                     QStringLiteral("ソロ=Team 2")}));

    const QStringList listed = modsListedBy([&] { dialog.modCheckButton()->click(); });
    QCOMPARE(listed, QStringList{QStringLiteral("nothere")});

    // Not dedicated: qstat leaves the hosting player out of both numbers, and lists it with
    // ignoreserverplayer=no.
    page.grid()->setCurrentHost(1);
    dialog.refreshButton()->click();
    QCOMPARE(value(1), QStringLiteral("4/17"));
    QCOMPARE(players().size(), 4);

    page.grid()->setCurrentHost(2);
    page.hostInfoAction()->trigger();
    QCOMPARE(value(0), QStringLiteral("ホスト非稼働"));
    QCOMPARE(players(), QStringList());
    QVERIFY(!dialog.modCheckButton()->isEnabled());
    QVERIFY(prompter.asked.isEmpty());
}

QTEST_MAIN(TestQstatEndToEnd)
#include "tst_QstatEndToEnd.moc"
