// SPDX-License-Identifier: MIT
#pragma once

#include "status/StatusQuery.h"

#include <QThread>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

class HostCheckSteps;

// The background status check: cycle after cycle it writes the address file, runs the status query
// and shows the results, then waits for the interval. Made for one start of a check; the interval
// is fixed when it is made. It frees itself when its run ends.
class HostChkThread : public QThread
{
    Q_OBJECT
public:
    struct Options
    {
        quint32 intervalMs = 10000;
        QString programFolder;
        int queryTimeoutMs = queryrunner::QueryTimeoutMs;
    };

    // steps must outlive the thread; it lives on the thread that makes this one.
    HostChkThread(HostCheckSteps& steps, const Options& options, QObject* parent = nullptr);
    ~HostChkThread() override;

    // Starts the run at the lowest priority.
    void begin();

    // Any thread. The check ends at its next wait or before its next cycle; a cycle under way,
    // its results included, runs to its end.
    void requestStop();
    // Any thread. Also ends a running query program at once; the cycle then shows nothing more.
    void abort();
    bool stopRequested() const { return m_stop; }

    // (interval div 10 + 1) times 10 ms: the check has always waited one tick past the interval.
    static std::chrono::milliseconds waitLength(quint32 intervalMs);

protected:
    void run() override;

private:
    // Runs one synchronised step; false when it failed, with its text in error.
    bool step(const std::function<void()>& body, QString& error);
    // Sleeps for the interval unless a stop comes first.
    void waitForNextCycle();

    HostCheckSteps& m_steps;
    const Options m_options;
    StatusQuery m_query;
    std::atomic<bool> m_stop = false;
    std::mutex m_waitMutex;
    std::condition_variable m_wake;
};
