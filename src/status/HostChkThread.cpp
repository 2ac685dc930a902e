// SPDX-License-Identifier: MIT
#include "status/HostChkThread.h"

#include "platform/Errors.h"
#include "status/HostCheckSteps.h"
#include "status/QueryProblems.h"

#include <QList>

HostChkThread::HostChkThread(HostCheckSteps& steps, const Options& options, QObject* parent)
    : QThread(parent), m_steps(steps), m_options(options), m_query(options.programFolder, options.queryTimeoutMs)
{
    connect(this, &QThread::finished, this, &QObject::deleteLater);
}

HostChkThread::~HostChkThread()
{
    // A QThread destroyed while it runs ends the whole process. Normally it is long finished here:
    // it frees itself after its run, and the shutdown joins it first.
    abort();
    wait();
}

void HostChkThread::begin() { start(QThread::LowestPriority); }

void HostChkThread::requestStop()
{
    {
        std::lock_guard lock(m_waitMutex);
        m_stop = true;
    }
    m_wake.notify_all();
}

void HostChkThread::abort()
{
    requestStop();
    m_query.abort();
}

std::chrono::milliseconds HostChkThread::waitLength(quint32 intervalMs)
{
    return std::chrono::milliseconds((qint64(intervalMs / 10) + 1) * 10);
}

bool HostChkThread::step(const std::function<void()>& body, QString& error)
{
    bool ok = true;
    QMetaObject::invokeMethod(
        &m_steps,
        [&] {
            try {
                body();
            } catch (const UserError& e) {
                error = e.text();
                ok = false;
            } catch (const std::exception& e) {
                error = QString::fromLocal8Bit(e.what());
                ok = false;
            }
        },
        Qt::BlockingQueuedConnection);
    return ok;
}

void HostChkThread::waitForNextCycle()
{
    std::unique_lock lock(m_waitMutex);
    m_wake.wait_for(lock, waitLength(m_options.intervalMs), [this] { return m_stop.load(); });
}

void HostChkThread::run()
{
    QList<QByteArray> results;
    QString error;
    while (!m_stop) {
        if (!step([this] { m_steps.ShowCheckRunning(); }, error))
            break;
        int hostCount = 0;
        if (!step([&] { hostCount = m_steps.WriteHostAddressFile(); }, error))
            break;
        const StatusQuery::Outcome outcome = m_query.run(results, hostCount);
        if (outcome == StatusQuery::Outcome::Aborted)
            break;
        if (outcome == StatusQuery::Outcome::NotFound || outcome == StatusQuery::Outcome::FailedToStart) {
            // Showing every host as silent would hide that no host was asked at all.
            error = m_query.errorText();
            break;
        }
        // One step for both, so the results are not held up by a second wait for the window.
        const QString problem = queryproblems::runProblemText(m_query.report());
        if (!step(
                [&] {
                    m_steps.ShowQueryRun(problem);
                    m_steps.ApplyStatusResults(results);
                },
                error))
            break;
        if (!step([this] { m_steps.ShowCheckWaiting(); }, error))
            break;
        waitForNextCycle();
    }
    results.clear();
    QString ignored;
    step([&] { m_steps.ShowCheckStopped(error); }, ignored);
}
