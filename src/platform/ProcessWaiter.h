// SPDX-License-Identifier: MIT
#pragma once

#include <QEventLoop>
#include <QObject>
#include <QPointer>
#include <QProcess>

// Waits for a started process in a local event loop of the calling thread, so that on the
// user-interface thread the window, its handlers and the check thread's synchronised steps keep
// running meanwhile. No polling.
class ProcessWaiter : public QObject
{
    Q_OBJECT
public:
    enum class Outcome
    {
        Finished,      // the process ended by itself
        Stopped,       // stop() was called; the process may still run
        TimedOut,      // the time-out passed first; the process still runs
        FailedToStart, // the process never ran
        // The wait was cut short because the program is ending: leave() was called, or the
        // thread's event loops were told to end (QCoreApplication::exit(), QThread::exit()). The
        // process may still run, and whatever it has written so far is no answer.
        ProgramEnding,
    };

    explicit ProcessWaiter(QProcess& process, QObject* parent = nullptr);
    // timeoutMs < 0 waits without limit. Returns at once when the process is not running.
    Outcome wait(int timeoutMs = -1);

public slots:
    // Ends a running wait (for instance from a cancel button); the process is left as it is.
    void stop();
    // Ends a running wait, and any later one, because the program is ending; the process is left
    // as it is.
    void leave();

private:
    void endWait(Outcome outcome);

    QPointer<QProcess> m_process;
    QEventLoop* m_loop = nullptr;
    Outcome m_outcome = Outcome::ProgramEnding;
    bool m_ended = false;
    bool m_stopRequested = false;
    bool m_leaving = false;
};
