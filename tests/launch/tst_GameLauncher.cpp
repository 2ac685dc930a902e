// SPDX-License-Identifier: MIT
#include "GameLog.h"

#include "game/GameInstallation.h"
#include "launch/AddressBar.h"
#include "launch/AddressHistory.h"
#include "launch/GameLauncher.h"
#include "launch/HistoryComboBox.h"
#include "launch/HostCreationPanel.h"
#include "launch/TStateInfoForm.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolders.h"

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>

class TestGameLauncher : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void eachModeGetsItsArguments_data();
    void eachModeGetsItsArguments();
    void statusTextRule_data();
    void statusTextRule();
    void typedJoinShowsTheAddress();
    void cancelEndsTheGameAndClosesTheWindow();
    void dedicatedHostRestartsWhileTicked();
    void untickingDuringARunEndsTheChainAtItsEnd();
    void cancelEndsTheRestartChain();
    void onlyTheDedicatedHostRestarts();
    void missingGameShowsAMessage();
    void missingGameEndsTheRestartChain();
    void nestedLaunchesEachHaveAWindow();
    void launchFromAModalDialogIsOwnedByIt();
    void programEndLeavesTheGameRunning();
    void programEndingEndsWaitsAndLaunches();
    void cancelEndsTheRunnersWholeGroup();
    void cancelledGameEndsWithTheProgram();
    void quickEndsStopTheRestartChain_data();
    void quickEndsStopTheRestartChain();

private:
    QList<GameRun> runs() const { return readGameLog(m_log); }
    void setMode(const char* mode) { qputenv("MORVANE_FAKE_GAME_MODE", mode); }
    // The stand-in writes its record as it starts; a run ended before that would leave none.
    bool waitForRuns(int n) const
    {
        return QTest::qWaitFor([&] { return runs().size() >= n; }, 10000);
    }
    void clickCancelLater(int runsSoFar);
    QList<qint64> runRestartChain(HostCreationPanel& panel,
                                  const std::function<void(const QList<qint64>& pids)>& onStart);

    std::unique_ptr<TestFolders> m_folders;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<GameInstallation> m_game;
    std::unique_ptr<GameLauncher> m_launcher;
    QString m_log;
    QString m_savedCurrent;
    QByteArray m_savedPath;
};

void TestGameLauncher::init()
{
    m_folders = std::make_unique<TestFolders>();
    m_prompter = std::make_unique<ScriptedPrompter>();
    m_game = std::make_unique<GameInstallation>(m_folders->gameFolder());
    m_launcher = std::make_unique<GameLauncher>(*m_prompter, *m_game);
    m_log = m_folders->path(QStringLiteral("game.log"));
    qputenv("MORVANE_FAKE_GAME_LOG", QFile::encodeName(m_log));
    setMode("exit");
    m_savedCurrent = QDir::currentPath();
    m_savedPath = qgetenv("PATH");
    QVERIFY(QDir::setCurrent(m_folders->programFolder()));
}

void TestGameLauncher::cleanup()
{
    QDir::setCurrent(m_savedCurrent);
    qputenv("PATH", m_savedPath);
    QCOMPARE(m_launcher->runningCount(), 0);
    QVERIFY(visibleStatusWindows().isEmpty());
    m_launcher.reset();
    m_prompter.reset();
    m_folders.reset();
}

void TestGameLauncher::clickCancelLater(int runsSoFar)
{
    // From the event loop that the launcher's wait runs, as a user's click would come.
    QTimer::singleShot(0, this, [this, runsSoFar] {
        QVERIFY(waitForRuns(runsSoFar));
        const auto windows = visibleStatusWindows();
        QCOMPARE(windows.size(), 1);
        QVERIFY(windows.first()->cancelButton()->isVisible());
        QTest::mouseClick(windows.first()->cancelButton(), Qt::LeftButton);
    });
}

// Clicks the dedicated host button with the restart box ticked while the stand-in waits to be ended;
// onStart sees the process ids of the runs so far, the newest last. Returns them once the chain ends.
QList<qint64> TestGameLauncher::runRestartChain(HostCreationPanel& panel,
                                                const std::function<void(const QList<qint64>& pids)>& onStart)
{
    setMode("wait");
    panel.autoRestartBox()->setChecked(true);
    QList<qint64> pids;
    const QMetaObject::Connection started =
        connect(m_launcher.get(), &GameLauncher::gameStarted, this, [&](qint64 pid) {
            pids << pid;
            onStart(pids);
        });
    QTest::mouseClick(panel.createDedicatedHostButton(), Qt::LeftButton);
    disconnect(started);
    return pids;
}

void TestGameLauncher::eachModeGetsItsArguments_data()
{
    QTest::addColumn<LaunchMode>("mode");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("plain") << LaunchMode::Plain << QString() << QStringList();
    QTest::newRow("host") << LaunchMode::Host << QString() << QStringList{QStringLiteral("-server")};
    QTest::newRow("dedicated") << LaunchMode::Dedicated << QString() << QStringList{QStringLiteral("-autoserve")};
    QTest::newRow("join") << LaunchMode::Join << QStringLiteral("192.168.0.10:2346")
                          << QStringList{QStringLiteral("-client"), QStringLiteral("192.168.0.10:2346")};
    // Through a real process: no shell splits or expands what was typed.
    QTest::newRow("shell characters") << LaunchMode::Join << QStringLiteral("a;b $(c) `d` |e")
                                      << QStringList{QStringLiteral("-client"), QStringLiteral("a;b $(c) `d` |e")};
}

void TestGameLauncher::eachModeGetsItsArguments()
{
    QFETCH(LaunchMode, mode);
    QFETCH(QString, argument);
    QFETCH(QStringList, arguments);
    m_launcher->LaunchGame(mode, argument, QStringLiteral("x"));
    const auto log = runs();
    QCOMPARE(log.size(), 1);
    QCOMPARE(log.first().arguments, arguments);
    // The program's own working folder, not the game folder.
    QCOMPARE(QDir(log.first().cwd).canonicalPath(), QDir(m_folders->programFolder()).canonicalPath());
    QCOMPARE(m_prompter->asked.size(), 0);
}

void TestGameLauncher::statusTextRule_data()
{
    QTest::addColumn<LaunchMode>("mode");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << LaunchMode::Plain << QStringLiteral("GhostReconを実行中...");
    QTest::newRow("host") << LaunchMode::Host << QStringLiteral("ＧＲホストを作成中...");
    QTest::newRow("dedicated") << LaunchMode::Dedicated << QStringLiteral("専用ホストを作成中...");
    QTest::newRow("join") << LaunchMode::Join << QStringLiteral("アルファ鯖に接続中...");
}

void TestGameLauncher::statusTextRule()
{
    QFETCH(LaunchMode, mode);
    QFETCH(QString, text);
    QCOMPARE(GameLauncher::statusText(mode, QStringLiteral("アルファ鯖")), text);
}

void TestGameLauncher::typedJoinShowsTheAddress()
{
    AddressHistory history;
    AddressBar bar(*m_prompter, history, *m_launcher);
    QStringList texts;
    connect(m_launcher.get(), &GameLauncher::gameStarted, this, [&] {
        for (TStateInfoForm* w : visibleStatusWindows())
            texts << w->text();
    });
    bar.comboBox()->lineEdit()->clear();
    QTest::keyClicks(bar.comboBox(), QStringLiteral("1.2.3.4:2346"));
    QTest::mouseClick(bar.connectButton(), Qt::LeftButton);

    QCOMPARE(texts, QStringList{QStringLiteral("1.2.3.4:2346に接続中...")});
    QCOMPARE(runs().size(), 1);
    QCOMPARE(runs().at(0).arguments, (QStringList{QStringLiteral("-client"), QStringLiteral("1.2.3.4:2346")}));
}

void TestGameLauncher::cancelEndsTheGameAndClosesTheWindow()
{
    setMode("wait");
    qint64 pid = 0;
    connect(m_launcher.get(), &GameLauncher::gameStarted, this, [&](qint64 p) {
        pid = p;
        clickCancelLater(1);
    });
    m_launcher->LaunchGame(LaunchMode::Join, QStringLiteral("1.2.3.4:2346"), QStringLiteral("x"));
    QVERIFY(pid > 0);
    // Ended without holding the window up: the end follows shortly.
    QTRY_VERIFY_WITH_TIMEOUT(processIsGone(pid), 10000);
    QVERIFY(visibleStatusWindows().isEmpty());
    QCOMPARE(runs().size(), 1);
    QCOMPARE(m_prompter->asked.size(), 0);
}

void TestGameLauncher::dedicatedHostRestartsWhileTicked()
{
    HostCreationPanel panel(*m_prompter, *m_launcher);
    panel.autoRestartBox()->setChecked(true);
    int started = 0;
    QList<int> windowsAtStart;
    connect(m_launcher.get(), &GameLauncher::gameStarted, this, [&] {
        ++started;
        windowsAtStart << int(visibleStatusWindows().size());
        // The host quits by itself each time; the third time the box is unticked meanwhile.
        if (started == 3)
            panel.autoRestartBox()->setChecked(false);
    });
    QTest::mouseClick(panel.createDedicatedHostButton(), Qt::LeftButton);
    QCOMPARE(started, 3);
    const auto log = runs();
    QCOMPARE(log.size(), 3);
    for (const GameRun& run : log)
        QCOMPARE(run.arguments, QStringList{QStringLiteral("-autoserve")});
    // Each run has its own window; the one before is closed, not left on screen.
    QCOMPARE(windowsAtStart, (QList<int>{1, 1, 1}));
}

void TestGameLauncher::untickingDuringARunEndsTheChainAtItsEnd()
{
    HostCreationPanel panel(*m_prompter, *m_launcher);
    const QList<qint64> pids = runRestartChain(panel, [&](const QList<qint64>& soFar) {
        QTimer::singleShot(0, this, [&, pid = soFar.last(), count = int(soFar.size())] {
            QVERIFY(waitForRuns(count));
            if (count == 2)
                panel.autoRestartBox()->setChecked(false);
            // The host ends by itself, neither cancelled nor by the launcher.
            ::kill(pid_t(pid), SIGTERM);
        });
    });
    QCOMPARE(pids.size(), 2);
    QCOMPARE(runs().size(), 2);
    QVERIFY(processIsGone(pids.at(0)));
    QVERIFY(processIsGone(pids.at(1)));
}

void TestGameLauncher::cancelEndsTheRestartChain()
{
    HostCreationPanel panel(*m_prompter, *m_launcher);
    const QList<qint64> pids = runRestartChain(panel, [&](const QList<qint64>& soFar) {
        if (soFar.size() == 1) {
            clickCancelLater(1);
            return;
        }
        // Only reached when the chain wrongly goes on: stop it so that the failure shows at once.
        panel.autoRestartBox()->setChecked(false);
        ::kill(pid_t(soFar.last()), SIGKILL);
    });
    QCOMPARE(pids.size(), 1);
    QCOMPARE(runs().size(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(processIsGone(pids.first()), 10000);
    QVERIFY(panel.autoRestartBox()->isChecked());
}

void TestGameLauncher::onlyTheDedicatedHostRestarts()
{
    HostCreationPanel panel(*m_prompter, *m_launcher);
    panel.autoRestartBox()->setChecked(true);
    QTest::mouseClick(panel.createHostButton(), Qt::LeftButton);
    QCOMPARE(runs().size(), 1);
    QCOMPARE(runs().first().arguments, QStringList{QStringLiteral("-server")});
}

void TestGameLauncher::missingGameShowsAMessage()
{
    // The wording of each such failure is the game process's own table.
    QVERIFY(QFile::remove(m_folders->game(QStringLiteral("GhostRecon.exe"))));
    m_launcher->LaunchGame(LaunchMode::Join, QStringLiteral("1.2.3.4:2346"), QStringLiteral("x"));
    QCOMPARE(m_prompter->asked.size(), 1);
    QCOMPARE(m_prompter->asked.first().icon, Prompter::Icon::Error);
    QVERIFY(visibleStatusWindows().isEmpty());
    QCOMPARE(runs().size(), 0);
}

void TestGameLauncher::missingGameEndsTheRestartChain()
{
    QVERIFY(QFile::remove(m_folders->game(QStringLiteral("GhostRecon.exe"))));
    HostCreationPanel panel(*m_prompter, *m_launcher);
    panel.autoRestartBox()->setChecked(true);
    QTest::mouseClick(panel.createDedicatedHostButton(), Qt::LeftButton);
    QCOMPARE(m_prompter->asked.size(), 1);
    QVERIFY(panel.autoRestartBox()->isChecked());
}

void TestGameLauncher::nestedLaunchesEachHaveAWindow()
{
    setMode("wait");
    QList<qint64> pids;
    int windowsDuringInner = 0;
    connect(m_launcher.get(), &GameLauncher::gameStarted, this, [&](qint64 pid) {
        pids << pid;
        if (pids.size() == 1) {
            // The tray's "Ghost Recon起動" while the first game runs.
            QTimer::singleShot(0, m_launcher.get(), &GameLauncher::BtnStartGRClick);
            return;
        }
        QTimer::singleShot(0, this, [&] {
            QVERIFY(waitForRuns(2));
            windowsDuringInner = int(visibleStatusWindows().size());
            ::kill(pid_t(pids.at(1)), SIGTERM);
            ::kill(pid_t(pids.at(0)), SIGTERM);
        });
    });
    m_launcher->LaunchGame(LaunchMode::Host, QString(), QStringLiteral("x"));
    QCOMPARE(pids.size(), 2);
    QCOMPARE(windowsDuringInner, 2);
    const auto log = runs();
    QCOMPARE(log.size(), 2);
    // One of them is the plain start; the two write their records in either order.
    QVERIFY(log.at(0).arguments.isEmpty() != log.at(1).arguments.isEmpty());
    QVERIFY(processIsGone(pids.at(0)));
    QVERIFY(processIsGone(pids.at(1)));
}

void TestGameLauncher::launchFromAModalDialogIsOwnedByIt()
{
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    QCOMPARE(QApplication::activeModalWidget(), &dialog);
    QWidget* owner = nullptr;
    connect(m_launcher.get(), &GameLauncher::gameStarted, this, [&] {
        const auto windows = visibleStatusWindows();
        if (windows.size() == 1)
            owner = windows.first()->parentWidget();
    });
    m_launcher->LaunchGame(LaunchMode::Join, QStringLiteral("1.2.3.4:2346"), QStringLiteral("x"));
    // Owned by the modal dialog, the status window is not blocked by it: its cancel button works.
    QCOMPARE(owner, &dialog);
}

void TestGameLauncher::programEndLeavesTheGameRunning()
{
    // The program quits while a dedicated host with the restart box ticked runs: the wait ends
    // without ending the host, and no new run starts on the way out.
    setMode("wait");
    HostCreationPanel panel(*m_prompter, *m_launcher);
    panel.autoRestartBox()->setChecked(true);
    QList<qint64> pids;
    connect(m_launcher.get(), &GameLauncher::gameStarted, this, [&](qint64 pid) {
        pids << pid;
        QTimer::singleShot(0, this, [&] {
            QVERIFY(waitForRuns(1));
            QCoreApplication::exit(0);
        });
    });
    QTimer::singleShot(0, &panel, [&] { QTest::mouseClick(panel.createDedicatedHostButton(), Qt::LeftButton); });
    QCoreApplication::exec();
    QCOMPARE(pids.size(), 1);
    const qint64 game = pids.first();
    const bool survived = !processIsGone(game);
    ::kill(pid_t(game), SIGKILL);
    QVERIFY(survived);
    QCOMPARE(runs().size(), 1);
    QCOMPARE(m_prompter->asked.size(), 0);
}

void TestGameLauncher::programEndingEndsWaitsAndLaunches()
{
    setMode("wait");
    qint64 game = 0;
    connect(m_launcher.get(), &GameLauncher::gameStarted, this, [&](qint64 pid) {
        game = pid;
        QTimer::singleShot(0, this, [&] {
            QVERIFY(waitForRuns(1));
            m_launcher->programEnding();
        });
    });
    m_launcher->LaunchGame(LaunchMode::Host, QString(), QStringLiteral("x"));
    const bool survived = game > 0 && !processIsGone(game);
    ::kill(pid_t(game), SIGKILL);
    QVERIFY(survived);
    // Once the program ends, nothing more is started.
    m_launcher->LaunchGame(LaunchMode::Host, QString(), QStringLiteral("x"));
    QCOMPARE(runs().size(), 1);
}

void TestGameLauncher::cancelEndsTheRunnersWholeGroup()
{
    // Under a runner (Wine, or a script) the game is a grandchild. This one ignores SIGTERM, so
    // only the KILL after the grace ends it.
    const QString exe = m_folders->game(QStringLiteral("GhostRecon.exe"));
    QVERIFY(QFile::remove(exe));
    TestFolders::writeFile(exe, QByteArrayLiteral("MZ\x90\x00"));
    const QString runner = m_folders->path(QStringLiteral("runner.sh"));
    TestFolders::writeFile(runner, "#!/bin/sh\n\"" + QFile::encodeName(QStringLiteral(MORVANE_FAKE_GAME)) +
                                       "\" \"$@\" &\nwait\n");
    QFile::setPermissions(runner, QFile::permissions(runner) | QFile::ExeOwner);
    m_launcher->setGameRunner(runner);
    m_launcher->setCancelGrace(std::chrono::milliseconds(300));
    setMode("stubborn");
    qint64 runnerPid = 0;
    connect(m_launcher.get(), &GameLauncher::gameStarted, this, [&](qint64 pid) {
        runnerPid = pid;
        clickCancelLater(1);
    });
    m_launcher->LaunchGame(LaunchMode::Join, QStringLiteral("1.2.3.4:2346"), QStringLiteral("x"));
    QCOMPARE(runs().size(), 1);
    const qint64 game = runs().first().pid;
    QVERIFY(game > 0 && game != runnerPid);
    QVERIFY(visibleStatusWindows().isEmpty());
    const bool gone = QTest::qWaitFor([&] { return processIsGone(game) && processIsGone(runnerPid); }, 10000);
    if (!gone)
        ::kill(pid_t(game), SIGKILL);
    QVERIFY(gone);
}

void TestGameLauncher::cancelledGameEndsWithTheProgram()
{
    // The cancel returns long before the grace is over, so the window is never held up; and a
    // program that ends meanwhile does not leave the game behind.
    m_launcher->setCancelGrace(std::chrono::minutes(10));
    setMode("stubborn");
    connect(m_launcher.get(), &GameLauncher::gameStarted, this, [&] { clickCancelLater(1); });
    m_launcher->LaunchGame(LaunchMode::Plain, QString(), QStringLiteral("x"));
    QCOMPARE(runs().size(), 1);
    const qint64 game = runs().first().pid;
    const bool aliveInGrace = !processIsGone(game);
    m_launcher = std::make_unique<GameLauncher>(*m_prompter, *m_game);
    const bool gone = QTest::qWaitFor([&] { return processIsGone(game); }, 10000);
    if (!gone)
        ::kill(pid_t(game), SIGKILL);
    QVERIFY(aliveInGrace);
    QVERIFY(gone);
}

void TestGameLauncher::quickEndsStopTheRestartChain_data()
{
    QTest::addColumn<QList<QByteArray>>("modes"); // per run; the last one repeats
    QTest::addColumn<int>("untickAtRun");         // 0: never
    QTest::addColumn<int>("runCount");
    QTest::addColumn<bool>("stopped");
    QTest::newRow("three quick ends") << QList<QByteArray>{"exit"} << 0 << 3 << true;
    QTest::newRow("a long run starts the count again")
        << QList<QByteArray>{"exit", "exit", "sleep:1700", "exit"} << 0 << 6 << true;
    QTest::newRow("long runs go on") << QList<QByteArray>{"sleep:1700"} << 4 << 4 << false;
}

void TestGameLauncher::quickEndsStopTheRestartChain()
{
    QFETCH(QList<QByteArray>, modes);
    QFETCH(int, untickAtRun);
    QFETCH(int, runCount);
    QFETCH(bool, stopped);
    m_launcher->setQuickEndRule(std::chrono::milliseconds(1500), 3);
    HostCreationPanel panel(*m_prompter, *m_launcher);
    panel.autoRestartBox()->setChecked(true);
    int started = 0;
    setMode(modes.first().constData());
    connect(m_launcher.get(), &GameLauncher::gameStarted, this, [&] {
        ++started;
        setMode(modes.at(std::min<qsizetype>(started, modes.size() - 1)).constData());
        // Also ends a chain that wrongly goes on.
        if (started == untickAtRun || started > runCount)
            panel.autoRestartBox()->setChecked(false);
    });
    QTest::mouseClick(panel.createDedicatedHostButton(), Qt::LeftButton);
    QCOMPARE(started, runCount);
    QCOMPARE(m_prompter->asked.size(), stopped ? 1 : 0);
    if (stopped) {
        QCOMPARE(m_prompter->asked.first().icon, Prompter::Icon::Warning);
        QVERIFY2(m_prompter->asked.first().text.contains(QStringLiteral("自動再起動")),
                 qPrintable(m_prompter->asked.first().text));
    }
}

QTEST_MAIN(TestGameLauncher)
#include "tst_GameLauncher.moc"
