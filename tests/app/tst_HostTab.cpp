// SPDX-License-Identifier: MIT
// The host tab's wiring: joining from the grid, watched favourites over status cycles, the query
// program's complaints under the grid, and the watch file as a store of the frame.
#include "FakeQstatSetup.h"
#include "app/HostTab.h"
#include "app/TMainForm.h"
#include "game/GameInstallation.h"
#include "hosts/HostGridModel.h"
#include "hosts/HostGridView.h"
#include "hosts/HostWatches.h"
#include "hosts/HostsPage.h"
#include "launch/AddressHistory.h"
#include "launch/GameLauncher.h"
#include "launch/GameLog.h"
#include "launch/TStateInfoForm.h"
#include "status/QueryFiles.h"
#include "status/StatusCheck.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class TestHostTab : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void doubleClickJoinsTheHost();
    void watchedHostNotifiesOncePerEdge();
    void clickedNotificationJoinsTheHost();
    void rulesFiringTogetherMakeOneNotification();
    void queryComplaintsShowUnderTheGrid();
    void rulesSurviveARestart();
    void unreadableWatchFileIsLeftAlone();

private:
    void makeTab();
    // Program files for a whole main window over this test's folders, this tab made away.
    void prepareMainForm(const QByteArray& hostList);
    QList<GameRun> runs() const { return readGameLog(m_log); }
    void runCycles(int n);

    std::unique_ptr<TestFolders> m_folders;
    std::unique_ptr<FakeQstatSetup> m_fake;
    ScriptedPrompter m_prompter;
    std::unique_ptr<AddressHistory> m_history;
    std::unique_ptr<GameInstallation> m_game;
    std::unique_ptr<GameLauncher> m_launcher;
    std::unique_ptr<HostTab> m_tab;
    QString m_log;
};

void TestHostTab::init()
{
    m_folders = std::make_unique<TestFolders>();
    m_fake = std::make_unique<FakeQstatSetup>(m_folders->programFolder());
    queryfiles::WriteQueryTemplates(m_folders->programFolder());
    m_prompter = ScriptedPrompter();
    m_log = m_folders->path(QStringLiteral("game.log"));
    qputenv("MORVANE_FAKE_GAME_LOG", QFile::encodeName(m_log));
    qputenv("MORVANE_FAKE_GAME_MODE", "exit");
    makeTab();
}

void TestHostTab::makeTab()
{
    m_history = std::make_unique<AddressHistory>();
    m_game = std::make_unique<GameInstallation>(m_folders->gameFolder());
    m_launcher = std::make_unique<GameLauncher>(m_prompter, *m_game);
    m_tab = std::make_unique<HostTab>(m_prompter, m_folders->programFolder(), *m_history, *m_launcher);
    m_tab->resize(394, 420);
    m_tab->show();
    m_tab->statusCheck()->setInterval(20);
    HostGridModel& hosts = m_tab->hostsPage()->hosts();
    hosts.appendHost("Alpha", "10.0.0.1:2346");
    hosts.appendHost("Fav", "10.0.0.2:2346");
}

void TestHostTab::cleanup()
{
    if (m_tab)
        m_tab->statusCheck()->stopAndWait();
    m_tab.reset();
    m_launcher.reset();
    m_history.reset();
    m_fake.reset();
    m_folders.reset();
}

void TestHostTab::runCycles(int n)
{
    QSignalSpy results(m_tab->statusCheck(), &StatusCheck::resultsApplied);
    if (m_tab->statusCheck()->isIdle())
        m_tab->statusCheck()->button()->click();
    QTRY_VERIFY_WITH_TIMEOUT(results.size() >= n, 20000);
}

void TestHostTab::doubleClickJoinsTheHost()
{
    HostsPage* page = m_tab->hostsPage();
    page->grid()->setCurrentHost(1);
    QTest::keyClick(page->grid(), Qt::Key_Return);
    QCOMPARE(runs().size(), 1);
    QCOMPARE(runs()[0].arguments, (QStringList{QStringLiteral("-client"), QStringLiteral("10.0.0.2:2346")}));
}

void TestHostTab::watchedHostNotifiesOncePerEdge()
{
    m_tab->watches()->setRule("10.0.0.2:2346", {true, 0});
    QSignalSpy notes(m_tab.get(), &HostTab::hostNotification);
    m_fake->setScenario("host 10.0.0.1:2346 1 16 00:10:00 Yes\nhost 10.0.0.2:2346 16 16 00:10:00 Yes\n");
    runCycles(2);
    QCOMPARE(notes.size(), 0);
    // A slot frees: one notification, however many cycles it stays free.
    m_fake->setScenario("host 10.0.0.1:2346 1 16 00:10:00 Yes\nhost 10.0.0.2:2346 15 16 00:10:00 Yes\n");
    QTRY_VERIFY_WITH_TIMEOUT(notes.size() == 1, 20000);
    runCycles(3);
    QCOMPARE(notes.size(), 1);
    QCOMPARE(notes[0][1].toString(), QStringLiteral("Fav に空きがあります  15/16[00:10:00]"));
    // Later edges are the watch rules' own table. The grid's tooltip tells what the host showed last.
    QVERIFY(m_tab->hostsPage()->grid()->hostToolTip(1).contains(QStringLiteral("15/16[00:10:00]")));
}

void TestHostTab::clickedNotificationJoinsTheHost()
{
    m_tab->joinNotifiedHost(); // nothing notified yet: nothing joins
    QVERIFY(runs().isEmpty());
    m_tab->watches()->setRule("10.0.0.2:2346", {false, 3});
    QSignalSpy notes(m_tab.get(), &HostTab::hostNotification);
    m_fake->setScenario("host 10.0.0.2:2346 3 16 00:10:00 Yes\n");
    runCycles(1);
    QCOMPARE(notes.size(), 1);
    m_tab->statusCheck()->stopAndWait();
    // The rows may have moved meanwhile; the notification names its host by address.
    m_tab->hostsPage()->MoveHostRow(1, 0);
    m_tab->joinNotifiedHost();
    QCOMPARE(runs().size(), 1);
    QCOMPARE(runs()[0].arguments, (QStringList{QStringLiteral("-client"), QStringLiteral("10.0.0.2:2346")}));
}

void TestHostTab::rulesFiringTogetherMakeOneNotification()
{
    m_tab->watches()->setRule("10.0.0.1:2346", {true, 0});
    m_tab->watches()->setRule("10.0.0.2:2346", {true, 2});
    QSignalSpy notes(m_tab.get(), &HostTab::hostNotification);
    m_fake->setScenario("host 10.0.0.1:2346 1 16 00:10:00 Yes\nhost 10.0.0.2:2346 2 16 00:10:00 Yes\n");
    runCycles(1);
    QCOMPARE(notes.size(), 1);
    QCOMPARE(notes[0][1].toString().split(QLatin1Char('\n')).size(), 3);
    m_tab->statusCheck()->stopAndWait();
    m_tab->joinNotifiedHost();
    QCOMPARE(runs().size(), 1);
    QCOMPARE(runs()[0].arguments.last(), QStringLiteral("10.0.0.1:2346"));
}

void TestHostTab::queryComplaintsShowUnderTheGrid()
{
    QLabel* line = m_tab->queryProblemLine();
    QVERIFY(!line->isVisible());
    m_tab->hostsPage()->hosts().appendHost("Zero", "10.0.0.3:0");
    m_fake->setScenario("host 10.0.0.1:2346 1 16 00:10:00 Yes\nstderr qstat: something odd\nexit 2\n");
    runCycles(1);
    QVERIFY(line->isVisible());
    // The query program's words are shown as they are, never as markup.
    QCOMPARE(line->textFormat(), Qt::PlainText);
    QVERIFY(line->text().contains(QStringLiteral("他2件")));
    QCOMPARE(line->toolTip(), m_tab->statusCheck()->queryProblem());
    QVERIFY(line->toolTip().contains(QStringLiteral("10.0.0.3:0")));
    m_fake->setScenario("host 10.0.0.1:2346 1 16 00:10:00 Yes\n");
    m_tab->hostsPage()->hosts().removeHost(2);
    QTRY_VERIFY_WITH_TIMEOUT(!line->isVisible(), 20000);
}

void TestHostTab::prepareMainForm(const QByteArray& hostList)
{
    m_tab.reset();
    qputenv("WINEPREFIX", m_folders->path(QStringLiteral("no-wine")).toUtf8());
    TestFolders::writeFile(m_folders->program(QStringLiteral("Morvane.ini")),
                           "[Path]\r\nGhostReconPath=" + m_folders->gameFolder().toUtf8() + "\r\n");
    TestFolders::writeFile(m_folders->program(QStringLiteral("hostlist.txt")), "[HostList]\r\n" + hostList);
}

void TestHostTab::rulesSurviveARestart()
{
    prepareMainForm("Hostname1=A\r\nHostIP1=10.0.0.1:2346\r\nHostname2=B\r\nHostIP2=b:1\r\n");
    const QString watchFile = m_folders->program(QStringLiteral("hostwatch.txt"));
    TestFolders::writeFile(watchFile, "[HostWatch]\r\nHostIP1=b:1\r\nWhenFree1=1\r\nAtLeast1=0\r\n");
    {
        TMainForm form(m_prompter, m_folders->programFolder());
        form.FormCreate();
        QVERIFY(m_prompter.asked.isEmpty());
        HostWatches* watches = form.hostTab()->watches();
        QVERIFY(watches->isWatched("b:1"));
        watches->setRule("10.0.0.1:2346", {false, 5});
        form.FormDestroy();
    }
    const QByteArray bytes = TestFolders::readFile(watchFile);
    QVERIFY(bytes.contains("HostIP1=10.0.0.1:2346\r\nWhenFree1=0\r\nAtLeast1=5\r\n"));
    QVERIFY(bytes.contains("HostIP2=b:1\r\nWhenFree2=1\r\n"));
    // The host list itself is as it always was.
    QVERIFY(!TestFolders::readFile(m_folders->program(QStringLiteral("hostlist.txt"))).contains("Watch"));
}

void TestHostTab::unreadableWatchFileIsLeftAlone()
{
    prepareMainForm("Hostname1=A\r\nHostIP1=a:1\r\n");
    const QString watchFile = m_folders->program(QStringLiteral("hostwatch.txt"));
    QVERIFY(QDir().mkpath(watchFile));
    {
        TMainForm form(m_prompter, m_folders->programFolder());
        form.FormCreate();
        QCOMPARE(m_prompter.asked.size(), 1);
        QCOMPARE(m_prompter.asked[0].icon, Prompter::Icon::Error);
        form.hostTab()->watches()->setRule("a:1", {true, 0});
        form.FormDestroy();
    }
    QCOMPARE(m_prompter.asked.size(), 1);
    QVERIFY(QFileInfo(watchFile).isDir());
}

QTEST_MAIN(TestHostTab)
#include "tst_HostTab.moc"
