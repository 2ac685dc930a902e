// SPDX-License-Identifier: MIT
#include "platform/ProcessWaiter.h"

#include <QTimer>

ProcessWaiter::ProcessWaiter(QProcess& process, QObject* parent) : QObject(parent), m_process(&process) {}

ProcessWaiter::Outcome ProcessWaiter::wait(int timeoutMs)
{
    if (!m_process || m_process->state() == QProcess::NotRunning)
        return m_process && m_process->error() == QProcess::FailedToStart ? Outcome::FailedToStart : Outcome::Finished;
    if (m_leaving)
        return Outcome::ProgramEnding;
    if (m_stopRequested)
        return Outcome::Stopped;

    QEventLoop loop;
    m_ended = false;
    auto finished = connect(m_process, &QProcess::finished, &loop, [this] { endWait(Outcome::Finished); });
    auto failed = connect(m_process, &QProcess::errorOccurred, &loop, [this](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            endWait(Outcome::FailedToStart);
        else if (m_process && m_process->state() == QProcess::NotRunning)
            endWait(Outcome::Finished);
    });
    QTimer timer;
    timer.setSingleShot(true);
    if (timeoutMs >= 0) {
        connect(&timer, &QTimer::timeout, &loop, [this] { endWait(Outcome::TimedOut); });
        timer.start(timeoutMs);
    }
    m_loop = &loop;
    // Returns at once when the thread's loops are already told to end.
    loop.exec();
    m_loop = nullptr;
    disconnect(finished);
    disconnect(failed);
    // Nothing of ours ended the loop: whoever ended the thread's event loops is ending the program
    // (or this thread), and the process may well still run.
    return m_ended ? m_outcome : Outcome::ProgramEnding;
}

void ProcessWaiter::endWait(Outcome outcome)
{
    if (!m_loop || m_ended)
        return;
    m_ended = true;
    m_outcome = outcome;
    m_loop->quit();
}

void ProcessWaiter::stop()
{
    m_stopRequested = true;
    endWait(Outcome::Stopped);
}

void ProcessWaiter::leave()
{
    m_leaving = true;
    endWait(Outcome::ProgramEnding);
}
