// SPDX-License-Identifier: MIT
#pragma once

#include <QEventLoop>
#include <QObject>
#include <QProcess>

// Waits for a started process on the user-interface thread in a local event loop, so the window,
// its handlers and the check thread's synchronised steps keep running meanwhile. No polling.
class ProcessWaiter : public QObject
{
    Q_OBJECT
public:
    enum class Outcome
    {
        Finished,      // the process ended by itself
        Stopped,       // stop() was called
        TimedOut,      // the time-out passed first
        FailedToStart, // the process never ran
    };

    explicit ProcessWaiter(QProcess& process, QObject* parent = nullptr);
    // timeoutMs < 0 waits without limit. Returns at once when the process is not running.
    Outcome wait(int timeoutMs = -1);

public slots:
    // Ends a running wait (for instance from a cancel button); the process is left as it is.
    void stop();

private:
    QProcess& m_process;
    QEventLoop* m_loop = nullptr;
    bool m_stopRequested = false;
};
