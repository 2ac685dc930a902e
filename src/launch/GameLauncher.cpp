// SPDX-License-Identifier: MIT
#include "launch/GameLauncher.h"

#include "launch/StateInfo.h"
#include "platform/Errors.h"
#include "platform/GameProcess.h"
#include "platform/HandlerGuard.h"
#include "platform/ProcessWaiter.h"

#include <QApplication>
#include <QProcess>

namespace {

const QString ClientMode = QStringLiteral("-client");
const QString ServerMode = QStringLiteral("-server");
const QString DedicatedMode = QStringLiteral("-autoserve");

QString valueOf(const std::function<QString()>& source)
{
    return source ? source() : QString();
}

// Ends a game that still runs and waits for it, so that nothing is left behind.
void endProcess(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.kill();
    process.waitForFinished(10000);
}

} // namespace

GameLauncher::GameLauncher(Prompter& prompter, QObject* parent) : QObject(parent), m_prompter(prompter) {}

QString GameLauncher::statusText(const QString& mode, const QString& argument, const QString& hostTabAddress,
                                 const QString& dialogAddress, const QString& hostName)
{
    if (mode == ClientMode) {
        const bool typed = argument == hostTabAddress || argument == dialogAddress;
        return (typed ? argument : hostName) + QStringLiteral("に接続中...");
    }
    if (mode == ServerMode)
        return QStringLiteral("ＧＲホストを作成中...");
    if (mode == DedicatedMode)
        return QStringLiteral("専用ホストを作成中...");
    return QStringLiteral("GhostReconを実行中...");
}

void GameLauncher::BtnStartGRClick()
{
    LaunchGame(QString(), QString());
}

void GameLauncher::LaunchGame(const QString& mode, const QString& argument)
{
    QString runArgument = argument;
    for (;;) {
        const RunEnd end = runOnce(mode, runArgument);
        // A cancel ends the chain too: the user asked for the dedicated host to stop.
        if (end != RunEnd::Ended || mode != DedicatedMode || !m_autoRestart || !m_autoRestart())
            return;
        runArgument.clear();
        // A host that ends at once must not keep the box from being unticked.
        QCoreApplication::processEvents();
        if (!m_autoRestart())
            return;
    }
}

GameLauncher::RunEnd GameLauncher::runOnce(const QString& mode, const QString& argument)
{
    // Held weakly: its owner may be a dialog that goes away while the game runs.
    QPointer<TStateInfoForm> window = new TStateInfoForm(statusWindowParent());
    const auto closeWindow = [&window] {
        if (window)
            window->hide();
    };
    window->setText(
        statusText(mode, argument, valueOf(m_hostTabAddress), valueOf(m_dialogAddress), valueOf(m_hostName)));
    window->setCancelVisible(true);
    window->show();

    QProcess process;
    ProcessWaiter waiter(process);
    bool cancelled = false;
    connect(window, &TStateInfoForm::cancelRequested, &waiter, guarded(m_prompter, [&] {
                cancelled = true;
                // Ended here and now rather than when the wait returns: with a nested launch running,
                // the wait returns only after that one has ended.
                endProcess(process);
                closeWindow();
                waiter.stop();
            }));
    // Closed as soon as its game ends, even while a nested launch keeps this wait from returning.
    connect(&process, &QProcess::finished, window, closeWindow);

    try {
        const gameprocess::Command command = gameprocess::command(valueOf(m_gameFolder), mode, argument, m_runner);
        gameprocess::prepare(process, command);
        gameprocess::start(process, command);
    } catch (const UserError& e) {
        closeWindow();
        delete window.data();
        m_prompter.message(Prompter::Icon::Error, e.text());
        return RunEnd::NotStarted;
    }

    ++m_running;
    emit gameStarted(process.processId());
    const ProcessWaiter::Outcome outcome = waiter.wait();
    --m_running;
    // A wait cut short from outside (the program is quitting) ends the run like a cancel, so that
    // no dedicated host is started again on the way out.
    if (outcome == ProcessWaiter::Outcome::Stopped || process.state() != QProcess::NotRunning)
        cancelled = true;
    closeWindow();
    endProcess(process);
    delete window.data();
    emit gameEnded();
    return cancelled ? RunEnd::Cancelled : RunEnd::Ended;
}

QWidget* GameLauncher::statusWindowParent() const
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return m_windowParent.data();
}
