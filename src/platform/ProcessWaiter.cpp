// SPDX-License-Identifier: MIT
#include "platform/ProcessWaiter.h"

#include <QTimer>

ProcessWaiter::ProcessWaiter(QProcess& process, QObject* parent) : QObject(parent), m_process(process) {}

ProcessWaiter::Outcome ProcessWaiter::wait(int timeoutMs)
{
    if (m_process.state() == QProcess::NotRunning)
        return m_process.error() == QProcess::FailedToStart ? Outcome::FailedToStart : Outcome::Finished;
    if (m_stopRequested)
        return Outcome::Stopped;

    QEventLoop loop;
    Outcome outcome = Outcome::Finished;
    auto finished = connect(&m_process, &QProcess::finished, &loop, [&] { loop.quit(); });
    auto failed = connect(&m_process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart || m_process.state() == QProcess::NotRunning)
            loop.quit();
    });
    QTimer timer;
    timer.setSingleShot(true);
    if (timeoutMs >= 0) {
        connect(&timer, &QTimer::timeout, &loop, [&] {
            outcome = Outcome::TimedOut;
            loop.quit();
        });
        timer.start(timeoutMs);
    }
    m_loop = &loop;
    loop.exec();
    m_loop = nullptr;
    disconnect(finished);
    disconnect(failed);
    if (m_stopRequested)
        return Outcome::Stopped;
    return outcome;
}

void ProcessWaiter::stop()
{
    m_stopRequested = true;
    if (m_loop)
        m_loop->quit();
}
