// SPDX-License-Identifier: MIT
#include "launch/GameLauncher.h"

#include "game/GameInstallation.h"
#include "launch/TStateInfoForm.h"
#include "platform/Errors.h"
#include "platform/GameProcess.h"
#include "platform/HandlerGuard.h"
#include "platform/ProcessWaiter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>

QString launchSwitch(LaunchMode mode)
{
    switch (mode) {
    case LaunchMode::Join:
        return QStringLiteral("-client");
    case LaunchMode::Host:
        return QStringLiteral("-server");
    case LaunchMode::Dedicated:
        return QStringLiteral("-autoserve");
    case LaunchMode::Plain:
        break;
    }
    return {};
}

GameLauncher::GameLauncher(Prompter& prompter, const GameInstallation& game, QObject* parent)
    : QObject(parent), m_prompter(prompter), m_game(game), m_cancelGrace(gameprocess::DefaultEndGrace)
{
}

QString GameLauncher::statusText(LaunchMode mode, const QString& joined)
{
    switch (mode) {
    case LaunchMode::Join:
        return tr("%1に接続中...").arg(joined);
    case LaunchMode::Host:
        return tr("ＧＲホストを作成中...");
    case LaunchMode::Dedicated:
        return tr("専用ホストを作成中...");
    case LaunchMode::Plain:
        break;
    }
    return tr("GhostReconを実行中...");
}

void GameLauncher::BtnStartGRClick() { LaunchGame(LaunchMode::Plain, QString(), statusText(LaunchMode::Plain)); }

void GameLauncher::programEnding()
{
    m_ending = true;
    for (ProcessWaiter* wait : std::as_const(m_waits))
        wait->leave();
}

QString GameLauncher::quickEndMessage() const
{
    return tr("専用ホストが起動後%1秒以内に%2回続けて終了したため、\n自動再起動を中止しました。\n"
              "Ghost Reconの設定を確認してから、もう一度専用ホストを作成してください。")
        .arg((m_quickEndWithin.count() + 999) / 1000)
        .arg(m_quickEndTimes);
}

void GameLauncher::LaunchGame(LaunchMode mode, const QString& argument, const QString& statusText)
{
    const auto restartWanted = [this] { return !m_ending && m_autoRestart && m_autoRestart(); };
    QString runArgument = argument;
    int quickEnds = 0;
    while (!m_ending) {
        const Run run = runOnce(mode, runArgument, statusText);
        // A cancel ends the chain too: the user asked for the dedicated host to stop. So does the
        // program's end, which leaves the host running.
        if (run.end != RunEnd::Ended || mode != LaunchMode::Dedicated || !restartWanted())
            return;
        quickEnds = run.length < m_quickEndWithin ? quickEnds + 1 : 0;
        if (quickEnds >= m_quickEndTimes) {
            // A host that cannot stay up would come back at once, window after window, for good.
            m_prompter.message(Prompter::Icon::Warning, quickEndMessage());
            return;
        }
        runArgument.clear();
        // A host that ends at once must not keep the box from being unticked.
        QCoreApplication::processEvents();
        if (!restartWanted())
            return;
    }
}

GameLauncher::Run GameLauncher::runOnce(LaunchMode mode, const QString& argument, const QString& statusText)
{
    // Held weakly: its owner may be a dialog that goes away while the game runs.
    QPointer<TStateInfoForm> window = new TStateInfoForm(statusWindowParent());
    const auto closeWindow = [&window] {
        if (window)
            window->hide();
    };
    window->setText(statusText);
    window->setCancelVisible(true);
    window->show();

    // Deleting a QProcess kills its process. So the object is deleted here only once its game has
    // ended; a cancelled game is handed on until it has ended, and a game the program's end leaves
    // running keeps its object for good.
    auto* process = new QProcess;
    bool handedOn = false;
    qint64 pid = 0;
    ProcessWaiter waiter(*process);
    bool cancelled = false;
    connect(window, &TStateInfoForm::cancelRequested, &waiter, guarded(m_prompter, [&] {
                if (handedOn)
                    return;
                cancelled = true;
                handedOn = true;
                // Ended from here rather than when the wait returns: with a nested launch running,
                // the wait returns only after that one has ended. Nothing here waits for the end.
                gameprocess::endGame(process, pid, m_cancelGrace, this);
                closeWindow();
                waiter.stop();
            }));
    QElapsedTimer clock;
    std::chrono::milliseconds length{0};
    // Closed as soon as its game ends, even while a nested launch keeps this wait from returning.
    const auto ended = connect(process, &QProcess::finished, &waiter, [&] {
        length = std::chrono::milliseconds(clock.elapsed());
        closeWindow();
    });

    try {
        const gameprocess::Command command = gameprocess::command(gameinstallation::executablePath(m_game.folder()),
                                                                  launchSwitch(mode), argument, m_runner);
        gameprocess::prepare(*process, command);
        gameprocess::start(*process, command);
    } catch (const UserError& e) {
        closeWindow();
        delete window.data();
        delete process;
        m_prompter.message(Prompter::Icon::Error, e.text());
        return {};
    }
    clock.start();
    pid = process->processId();

    ++m_running;
    m_waits.append(&waiter);
    emit gameStarted(pid);
    const ProcessWaiter::Outcome outcome = waiter.wait();
    m_waits.removeOne(&waiter);
    --m_running;
    disconnect(ended);
    closeWindow();
    delete window.data();

    Run run;
    run.length = length;
    if (cancelled) {
        run.end = RunEnd::Cancelled;
    } else if (outcome == ProcessWaiter::Outcome::Finished) {
        run.end = RunEnd::Ended;
        delete process;
    } else {
        // The program is ending: the game goes on without it (it is in a session of its own).
        run.end = RunEnd::Left;
        if (process->state() == QProcess::NotRunning)
            delete process;
    }
    emit gameEnded();
    return run;
}

QWidget* GameLauncher::statusWindowParent() const
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return m_windowParent.data();
}
