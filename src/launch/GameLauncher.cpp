// SPDX-License-Identifier: MIT
#include "launch/GameLauncher.h"

#include "game/GameInstallation.h"
#include "launch/StateInfo.h"
#include "platform/Errors.h"
#include "platform/GameProcess.h"
#include "platform/HandlerGuard.h"
#include "platform/ProcessWaiter.h"

#include <QApplication>
#include <QProcess>

namespace {

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

GameLauncher::GameLauncher(Prompter& prompter, QObject* parent) : QObject(parent), m_prompter(prompter) {}

QString GameLauncher::statusText(LaunchMode mode, const QString& joined)
{
    switch (mode) {
    case LaunchMode::Join:
        return joined + QStringLiteral("に接続中...");
    case LaunchMode::Host:
        return QStringLiteral("ＧＲホストを作成中...");
    case LaunchMode::Dedicated:
        return QStringLiteral("専用ホストを作成中...");
    case LaunchMode::Plain:
        break;
    }
    return QStringLiteral("GhostReconを実行中...");
}

void GameLauncher::BtnStartGRClick()
{
    LaunchGame(LaunchMode::Plain, QString(), statusText(LaunchMode::Plain));
}

void GameLauncher::LaunchGame(LaunchMode mode, const QString& argument, const QString& statusText)
{
    QString runArgument = argument;
    for (;;) {
        const RunEnd end = runOnce(mode, runArgument, statusText);
        // A cancel ends the chain too: the user asked for the dedicated host to stop.
        if (end != RunEnd::Ended || mode != LaunchMode::Dedicated || !m_autoRestart || !m_autoRestart())
            return;
        runArgument.clear();
        // A host that ends at once must not keep the box from being unticked.
        QCoreApplication::processEvents();
        if (!m_autoRestart())
            return;
    }
}

GameLauncher::RunEnd GameLauncher::runOnce(LaunchMode mode, const QString& argument, const QString& statusText)
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
        const gameprocess::Command command = gameprocess::command(
            gameinstallation::executablePath(valueOf(m_gameFolder)), launchSwitch(mode), argument, m_runner);
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
