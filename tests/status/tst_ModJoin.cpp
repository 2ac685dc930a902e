// SPDX-License-Identifier: MIT
// "このMODで接続" with the stand-in game: the switch, the join, the list put back, the journal.
#include "FakeQstatSetup.h"
#include "ModCheckWindow.h"
#include "app/TMainForm.h"
#include "game/GameInstallation.h"
#include "hosts/HostGridModel.h"
#include "hosts/HostGridView.h"
#include "hosts/HostsPage.h"
#include "launch/GameLauncher.h"
#include "launch/GameLog.h"
#include "launch/TStateInfoForm.h"
#include "mods/ModListView.h"
#include "mods/ModLists.h"
#include "mods/ModsPage.h"
#include "platform/Errors.h"
#include "status/ModJoin.h"
#include "status/ModJoinRules.h"
#include "status/QueryFiles.h"
#include "status/THostInfoDlg.h"
#include "status/TModChkForm.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolders.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <csignal>

namespace {

const QByteArray Header = "// MODS SETTINGS - LIST OF MODS ACTIVE ON THIS SYSTEM";
const QList<QByteArray> FixtureActive = {"heavyarms", "japanmap"};
const QString Address = QStringLiteral("10.0.0.7:2346");

QList<QByteArray> modsLines(const QList<QByteArray>& entries)
{
    QList<QByteArray> lines{Header};
    for (const QByteArray& e : entries)
        lines << "\"\\mods\\" + e + '"';
    return lines;
}

} // namespace

class TestModJoin : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void joinThenGameEndsPutsTheListBack();
    void failedStartPutsTheListBack();
    void cancelPutsTheListBack();
    void missingModJoinsNothing();
    void listAlreadyEqualJustJoins();
    void secondJoinWhileOneRunsIsRefused();
    void unwritableModsSetChangesNothing_data();
    void unwritableModsSetChangesNothing();
    void otherGameChosenDuringTheGame();
    void endOfProgramDuringTheGame();
    void killedProcessLeavesAJournalTheNextStartUses();
    void unusableJournalIsReported_data();
    void unusableJournalIsReported();
    void keptJournalGoesBackBeforeAJoin_data();
    void keptJournalGoesBackBeforeAJoin();
    void dialogAndGridCommandsFollowTheAnswer();
    void dialogListsMissingModsOnly();

private:
    void makeJoin();
    QList<GameRun> runs() const { return readGameLog(m_log); }
    QByteArray modsSetFile() const { return TestFolders::readFile(m_folders->game(QStringLiteral("modsset.txt"))); }
    QString journal() const { return m_folders->program(modjoin::JournalFileName); }
    void killGames();

    std::unique_ptr<TestFolders> m_folders;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<GameInstallation> m_game;
    std::unique_ptr<ModsPage> m_page;
    std::unique_ptr<GameLauncher> m_launcher;
    std::unique_ptr<ModJoin> m_join;
    QString m_log;
    QByteArray m_original;
};

void TestModJoin::init()
{
    m_folders = std::make_unique<TestFolders>();
    m_prompter = std::make_unique<ScriptedPrompter>();
    m_log = m_folders->path(QStringLiteral("game.log"));
    qputenv("MORVANE_FAKE_GAME_LOG", QFile::encodeName(m_log));
    qputenv("MORVANE_FAKE_GAME_MODE", "exit");
    m_original = modsSetFile();
    makeJoin();
}

void TestModJoin::makeJoin()
{
    m_join.reset();
    m_launcher.reset();
    m_page.reset();
    m_game = std::make_unique<GameInstallation>(m_folders->gameFolder());
    m_page = std::make_unique<ModsPage>(*m_prompter, m_folders->programFolder(), *m_game);
    QVERIFY(m_page->store().load());
    m_launcher = std::make_unique<GameLauncher>(*m_prompter, *m_game);
    m_join = std::make_unique<ModJoin>(*m_prompter, m_folders->programFolder(), m_page->lists(), *m_game);
    m_join->setJoiner([this](const QString& address, const QString& name) {
        m_launcher->LaunchGame(LaunchMode::Join, address, GameLauncher::statusText(LaunchMode::Join, name));
    });
    connect(m_join.get(), &ModJoin::runningChanged, m_page.get(), &ModsPage::setJoinLock);
}

void TestModJoin::killGames()
{
    for (const GameRun& run : runs()) {
        if (run.pid > 0)
            ::kill(pid_t(run.pid), SIGKILL);
    }
}

void TestModJoin::cleanup()
{
    killGames();
    m_join.reset();
    m_launcher.reset();
    m_page.reset();
    m_game.reset();
    m_folders.reset();
}

void TestModJoin::joinThenGameEndsPutsTheListBack()
{
    QSignalSpy running(m_join.get(), &ModJoin::runningChanged);
    QSignalSpy notices(m_join.get(), &ModJoin::notice);
    bool lockedDuringGame = false;
    bool journalDuringGame = false;
    QList<QByteArray> activeDuringGame;
    connect(m_launcher.get(), &GameLauncher::gameStarted, this, [&] {
        lockedDuringGame = m_page->joinNote()->isVisibleTo(m_page.get()) && m_page->isJoinLocked() &&
                           !m_page->activeView()->movesEntries();
        journalDuringGame = QFile::exists(journal());
        // An edit of the lists meanwhile is not taken.
        m_page->availableView()->selectRow(0);
        m_page->ModListDblClick(m_page->availableView());
        m_page->Button30Click();
        activeDuringGame = m_page->activeMods();
    });

    const QList<QByteArray> missing =
        m_join->JoinWithHostMods(Address, QStringLiteral("Urban host"), " origmiss; UrbanOps; testrange;");
    QVERIFY(missing.isEmpty());

    const QList<GameRun> log = runs();
    QCOMPARE(log.size(), 1);
    QCOMPARE(log[0].arguments, (QStringList{QStringLiteral("-client"), Address}));
    // The game started on exactly the host's mods, in its order, in small letters as the game writes them.
    QCOMPARE(log[0].modsSet, modsLines({"urbanops", "testrange"}));
    QVERIFY(lockedDuringGame);
    QVERIFY(journalDuringGame);
    QCOMPARE(activeDuringGame, (QList<QByteArray>{"UrbanOps", "testrange"}));

    QCOMPARE(modsSetFile(), m_original);
    QCOMPARE(m_page->activeMods(), FixtureActive);
    QVERIFY(!QFile::exists(journal()));
    QVERIFY(!m_page->isJoinLocked());
    QCOMPARE(running.size(), 2);
    QCOMPARE(running[0][0].toBool(), true);
    QCOMPARE(running[1][0].toBool(), false);
    QCOMPARE(notices.size(), 1);
    QCOMPARE(notices[0][0].toString(), QStringLiteral("MODの構成を元に戻しました"));
    QVERIFY(m_prompter->asked.isEmpty());
}

void TestModJoin::failedStartPutsTheListBack()
{
    QVERIFY(QFile::remove(m_folders->game(QStringLiteral("GhostRecon.exe"))));
    QSignalSpy notices(m_join.get(), &ModJoin::notice);
    m_join->JoinWithHostMods(Address, QStringLiteral("h"), " origmiss; urbanops;");
    QVERIFY(runs().isEmpty());
    // The launcher said why the game did not start; the list is back all the same.
    QCOMPARE(m_prompter->asked.size(), 1);
    QCOMPARE(m_prompter->asked[0].icon, Prompter::Icon::Error);
    QCOMPARE(modsSetFile(), m_original);
    QCOMPARE(m_page->activeMods(), FixtureActive);
    QVERIFY(!QFile::exists(journal()));
    QCOMPARE(notices.size(), 1);
}

void TestModJoin::cancelPutsTheListBack()
{
    qputenv("MORVANE_FAKE_GAME_MODE", "wait");
    m_launcher->setCancelGrace(std::chrono::milliseconds(100));
    // Cancelled once the game has started for good (it writes its record first).
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        if (runs().isEmpty())
            return;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* form = qobject_cast<TStateInfoForm*>(w);
            if (form && form->isVisible() && form->cancelButton()->isVisible())
                form->cancelButton()->click();
        }
    });
    poll.start(10);
    m_join->JoinWithHostMods(Address, QStringLiteral("h"), " origmiss; urbanops;");
    QCOMPARE(runs().size(), 1);
    QCOMPARE(modsSetFile(), m_original);
    QVERIFY(!QFile::exists(journal()));
}

void TestModJoin::missingModJoinsNothing()
{
    QSignalSpy running(m_join.get(), &ModJoin::runningChanged);
    const QList<QByteArray> missing =
        m_join->JoinWithHostMods(Address, QStringLiteral("h"), " origmiss; urbanops; DemoMod; other;");
    QCOMPARE(missing, (QList<QByteArray>{"DemoMod", "other"}));
    QVERIFY(runs().isEmpty());
    QCOMPARE(modsSetFile(), m_original);
    QCOMPARE(m_page->activeMods(), FixtureActive);
    QVERIFY(!QFile::exists(journal()));
    QCOMPARE(running.size(), 0);
}

void TestModJoin::listAlreadyEqualJustJoins()
{
    QSignalSpy running(m_join.get(), &ModJoin::runningChanged);
    QSignalSpy notices(m_join.get(), &ModJoin::notice);
    bool journalDuringGame = true;
    connect(m_launcher.get(), &GameLauncher::gameStarted, this, [&] { journalDuringGame = QFile::exists(journal()); });
    const QDateTime written = QFileInfo(m_folders->game(QStringLiteral("modsset.txt"))).lastModified();
    m_join->JoinWithHostMods(Address, QStringLiteral("h"), " origmiss; HeavyArms; JAPANMAP;");
    QCOMPARE(runs().size(), 1);
    QCOMPARE(runs()[0].modsSet, modsLines(FixtureActive));
    QVERIFY(!journalDuringGame);
    QCOMPARE(QFileInfo(m_folders->game(QStringLiteral("modsset.txt"))).lastModified(), written);
    QCOMPARE(running.size(), 0);
    QCOMPARE(notices.size(), 0);
}

void TestModJoin::secondJoinWhileOneRunsIsRefused()
{
    QString refusal;
    connect(m_launcher.get(), &GameLauncher::gameStarted, this, [&] {
        try {
            m_join->JoinWithHostMods(Address, QStringLiteral("h"), " origmiss; japanmap;");
        } catch (const UserError& e) {
            refusal = e.text();
        }
    });
    m_join->JoinWithHostMods(Address, QStringLiteral("h"), " origmiss; urbanops;");
    QVERIFY(!refusal.isEmpty());
    QCOMPARE(runs().size(), 1);
    QCOMPARE(runs()[0].modsSet, modsLines({"urbanops"}));
    QCOMPARE(modsSetFile(), m_original);
}

void TestModJoin::unwritableModsSetChangesNothing_data()
{
    QTest::addColumn<bool>("folder");
    QTest::newRow("a folder in its place") << true;
    // The lists then hold what the file never held.
    QTest::newRow("unreadable at the last load") << false;
}

void TestModJoin::unwritableModsSetChangesNothing()
{
    QFETCH(bool, folder);
    const QString path = m_folders->game(QStringLiteral("modsset.txt"));
    QVERIFY(QFile::remove(path));
    if (folder) {
        QVERIFY(QDir().mkpath(path));
    } else {
        TestFolders::writeFile(path, QByteArray(ModLists::MaxModsSetBytes + 1, '\n'));
        QVERIFY(!m_page->store().load());
    }
    const qint64 size = QFileInfo(path).size();
    QVERIFY_THROWS_EXCEPTION(UserError, m_join->JoinWithHostMods(Address, QStringLiteral("h"), " origmiss; urbanops;"));
    QCOMPARE(QFileInfo(path).size(), size);
    QVERIFY(runs().isEmpty());
    QCOMPARE(m_page->activeMods(), FixtureActive);
    QVERIFY(!QFile::exists(journal()));
    QVERIFY(!m_join->isRunning());
}

void TestModJoin::otherGameChosenDuringTheGame()
{
    // The player points the program at another installation while the game runs: the list goes
    // back into the game it came from, and the lists (now the other game's) are left alone.
    const QString other = m_folders->path(QStringLiteral("other"));
    QDir().mkpath(other);
    m_join->setJoiner([&](const QString&, const QString&) {
        m_game->setFolder(other);
        m_page->lists().replaceActive({"elsewhere"});
    });
    m_join->JoinWithHostMods(Address, QStringLiteral("h"), " origmiss; urbanops;");
    QCOMPARE(modsSetFile(), m_original);
    QCOMPARE(m_page->activeMods(), (QList<QByteArray>{"elsewhere"}));
    QVERIFY(!QFile::exists(other + QStringLiteral("/modsset.txt")));
    QVERIFY(!QFile::exists(journal()));
}

void TestModJoin::endOfProgramDuringTheGame()
{
    m_join.reset();
    qputenv("MORVANE_FAKE_GAME_MODE", "wait");
    qputenv("WINEPREFIX", m_folders->path(QStringLiteral("no-wine")).toUtf8());
    TestFolders::writeFile(m_folders->program(QStringLiteral("Morvane.ini")),
                           "[Path]\r\nGhostReconPath=" + m_folders->gameFolder().toUtf8() + "\r\n");
    TestFolders::writeFile(m_folders->program(QStringLiteral("hostlist.txt")),
                           "[HostList]\r\nHostname1=A\r\nHostIP1=" + Address.toUtf8() + "\r\n");
    TMainForm form(*m_prompter, m_folders->programFolder());
    form.FormCreate();
    QVERIFY2(m_prompter->asked.isEmpty(), qPrintable(m_prompter->texts().join(QLatin1Char('|'))));
    QByteArray duringGame;
    // The program ends while the game runs (the desktop session ends, or "終了"), once the game
    // has started for good.
    QTimer poll;
    connect(&poll, &QTimer::timeout, &form, [&] {
        if (runs().isEmpty())
            return;
        poll.stop();
        duringGame = modsSetFile();
        form.FormDestroy();
    });
    connect(&form.launcher(), &GameLauncher::gameStarted, &poll, [&poll] { poll.start(10); });
    form.modJoin()->JoinWithHostMods(Address, QStringLiteral("A"), " origmiss; urbanops;");
    QCOMPARE(runs().size(), 1);
    QCOMPARE(duringGame, modsLines({"urbanops"}).join("\r\n") + "\r\n");
    // The shutdown wrote the player's own list, not the host's.
    QCOMPARE(modsSetFile(), m_original);
    QVERIFY(!QFile::exists(journal()));
    // The game goes on running with the mods it loaded.
    QVERIFY(!processIsGone(runs()[0].pid));
}

void TestModJoin::killedProcessLeavesAJournalTheNextStartUses()
{
    m_join.reset();
    const QString ready = m_folders->path(QStringLiteral("ready"));
    QProcess crashing;
    crashing.start(QStringLiteral(MORVANE_MODJOIN_CRASH), {m_folders->programFolder(), m_folders->gameFolder(), ready,
                                                           QStringLiteral(" origmiss; urbanops;")});
    QVERIFY(crashing.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(ready) || crashing.state() == QProcess::NotRunning, 20000);
    QVERIFY2(QFile::exists(ready), crashing.readAllStandardError().constData());
    crashing.kill();
    QVERIFY(crashing.waitForFinished());
    QCOMPARE(crashing.exitStatus(), QProcess::CrashExit);

    // What the crash left: the host's mods active, and the journal of the list before.
    QCOMPARE(modsSetFile(), modsLines({"urbanops"}).join("\r\n") + "\r\n");
    QVERIFY(QFile::exists(journal()));

    // The next start.
    makeJoin();
    QCOMPARE(m_page->activeMods(), (QList<QByteArray>{"urbanops"}));
    m_join->restoreAfterCrash();
    QCOMPARE(modsSetFile(), m_original);
    QCOMPARE(m_page->activeMods(), FixtureActive);
    QVERIFY(!QFile::exists(journal()));
    QCOMPARE(m_prompter->asked.size(), 1);
    QCOMPARE(m_prompter->asked[0].icon, Prompter::Icon::Information);
    QVERIFY(m_prompter->asked[0].text.contains(QStringLiteral("heavyarms, japanmap")));

    // A start without a journal says nothing.
    m_join->restoreAfterCrash();
    QCOMPARE(m_prompter->asked.size(), 1);
}

void TestModJoin::unusableJournalIsReported_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("kept");
    // Kept for when that installation is back.
    QTest::newRow("game folder gone") << modjoin::formatJournal({"/nowhere/Ghost Recon", "h", {"a"}}) << true;
    QTest::newRow("damaged") << QByteArray("[ModJoin]\r\nGameFolder=/g\r\nCount=2\r\nMod1=a\r\n") << false;
    // A part of it is no journal of the whole list.
    QTest::newRow("over the size cap") << modjoin::formatJournal({"@GAME@", "h", {"a"}}) + "; " +
                                              QByteArray(modjoin::MaxJournalBytes, 'x') + "\r\n"
                                       << true;
}

void TestModJoin::unusableJournalIsReported()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, kept);
    bytes.replace("@GAME@", QFile::encodeName(m_folders->gameFolder()));
    TestFolders::writeFile(journal(), bytes);
    m_join->restoreAfterCrash();
    QCOMPARE(QFile::exists(journal()), kept);
    if (kept)
        QCOMPARE(TestFolders::readFile(journal()), bytes);
    QCOMPARE(modsSetFile(), m_original);
    QCOMPARE(m_prompter->asked.size(), 1);
    QCOMPARE(m_prompter->asked[0].icon, Prompter::Icon::Warning);
}

void TestModJoin::keptJournalGoesBackBeforeAJoin_data()
{
    QTest::addColumn<bool>("gameBack");
    QTest::newRow("its game is back") << true;
    QTest::newRow("its game is still missing") << false;
}

void TestModJoin::keptJournalGoesBackBeforeAJoin()
{
    // A start that could not find the journal's game kept it for later.
    QFETCH(bool, gameBack);
    const QByteArray folder = gameBack ? QFile::encodeName(m_folders->gameFolder()) : "/nowhere/Ghost Recon";
    const QByteArray kept = modjoin::formatJournal({folder, "h", {"japanmap"}});
    TestFolders::writeFile(journal(), kept);
    try {
        m_join->JoinWithHostMods(Address, QStringLiteral("h"), " origmiss; urbanops;");
    } catch (const UserError&) {
        QVERIFY(!gameBack);
    }
    QCOMPARE(runs().size(), gameBack ? 1 : 0);
    QCOMPARE(modsSetFile(), gameBack ? modsLines({"japanmap"}).join("\r\n") + "\r\n" : m_original);
    QCOMPARE(TestFolders::readFile(journal()), gameBack ? QByteArray() : kept);
}

namespace {

// A host page and the information dialog over the stand-in query program.
struct DialogSetup
{
    FakeQstatSetup fake;
    HostsPage page;
    THostInfoDlg dialog;

    DialogSetup(TestFolders& folders, ScriptedPrompter& prompter, ModsPage& mods)
        : fake(folders.programFolder()), page(prompter),
          dialog(prompter, folders.programFolder(), page,
                 [&mods](QByteArrayView name) { return mods.isInstalled(name); })
    {
        queryfiles::WriteQueryTemplates(folders.programFolder());
        page.hosts().appendHost("Urban", "10.0.0.1:2346");
        page.hosts().appendHost("Silent", "10.0.0.2:2346");
        page.hosts().appendHost("Demo", "10.0.0.3:2346");
        fake.setScenario("info 10.0.0.1:2346 Urban<>Yes<>3<>16<> origmiss; urbanops;<>1.4<>Castle<>No "
                         "Mission<>TEAM<>Last Man Standing\n"
                         "info 10.0.0.2:2346 TIMEOUT<><><><><><><><><>\n"
                         "info 10.0.0.3:2346 Demo<>Yes<>3<>16<> origmiss; DemoMod; urbanops;<>1.4<>Castle<>No "
                         "Mission<>TEAM<>Last Man Standing\n");
    }
    void fetch(int host)
    {
        page.grid()->setCurrentHost(host);
        page.hostInfoAction()->trigger();
    }
    bool gridItemEnabled()
    {
        emit page.popupMenu()->aboutToShow();
        return page.joinWithModsAction()->isEnabled();
    }
};

} // namespace

void TestModJoin::dialogAndGridCommandsFollowTheAnswer()
{
    DialogSetup s(*m_folders, *m_prompter, *m_page);
    QVERIFY(!s.dialog.joinWithModsButton()->isEnabled());
    QVERIFY(!s.gridItemEnabled());
    // Without the join object nothing offers the command.
    s.fetch(0);
    QVERIFY(!s.dialog.joinWithModsButton()->isEnabled());

    s.dialog.attachModJoin(m_join.get());
    QVERIFY(s.dialog.joinWithModsButton()->isEnabled());
    QVERIFY(s.gridItemEnabled());
    // Another host selected whose mods are not known: the grid's item is off, the dialog still shows Urban.
    s.page.grid()->setCurrentHost(1);
    QVERIFY(!s.gridItemEnabled());
    s.fetch(1);
    QVERIFY(!s.dialog.joinWithModsButton()->isEnabled());
    QVERIFY(!s.gridItemEnabled());
    s.page.grid()->setCurrentHost(0);
    QVERIFY(s.gridItemEnabled());

    // The grid's item joins the selected host with the mods it reported; both are off while it runs.
    bool offDuringGame = false;
    connect(m_launcher.get(), &GameLauncher::gameStarted, this,
            [&] { offDuringGame = !s.gridItemEnabled() && !s.dialog.joinWithModsButton()->isEnabled(); });
    s.page.joinWithModsAction()->trigger();
    QCOMPARE(runs().size(), 1);
    QCOMPARE(runs()[0].arguments, (QStringList{QStringLiteral("-client"), QStringLiteral("10.0.0.1:2346")}));
    QCOMPARE(runs()[0].modsSet, modsLines({"urbanops"}));
    QVERIFY(offDuringGame);
    QVERIFY(s.gridItemEnabled());
    QCOMPARE(modsSetFile(), m_original);
}

void TestModJoin::dialogListsMissingModsOnly()
{
    DialogSetup s(*m_folders, *m_prompter, *m_page);
    s.dialog.attachModJoin(m_join.get());
    s.fetch(2);
    const QStringList listed = modsListedBy([&] { QTest::mouseClick(s.dialog.joinWithModsButton(), Qt::LeftButton); });
    QCOMPARE(listed, QStringList{QStringLiteral("DemoMod")});
    QVERIFY(runs().isEmpty());
    QCOMPARE(modsSetFile(), m_original);
    QVERIFY(m_prompter->asked.isEmpty());
}

QTEST_MAIN(TestModJoin)
#include "tst_ModJoin.moc"
