// SPDX-License-Identifier: MIT
#pragma once

#include "status/QueryRunner.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QString>

#include <atomic>

class QProcess;

// One status run of all hosts, on the check thread: runs the status command line and reads one
// result line per host from "qout.dat". The run waits in an event loop of its own thread, so
// abort() from another thread can end the query program at once.
class StatusQuery
{
public:
    enum class Outcome
    {
        Done,          // results hold what the query program wrote (nothing: no host answered)
        TimedOut,      // the program hung and was ended; results are empty
        Aborted,       // abort() ended the run, or its wait was cut short from outside; results are empty
        NotFound,      // there is no query program; errorText() says where it was looked for
        FailedToStart, // the program could not be started; errorText() says why
    };

    explicit StatusQuery(QString programFolder, int timeoutMs = queryrunner::QueryTimeoutMs);

    // Empties results and fills them with at most hostCount lines. With no hosts nothing is run.
    Outcome run(QList<QByteArray>& results, qsizetype hostCount);
    QString errorText() const { return m_error; }
    // How the last run ended (its exit code and error output); for Done and TimedOut.
    const queryproblems::RunReport& report() const { return m_report; }

    // Any thread: ends a running query program and every later run at once.
    void abort();

private:
    Outcome runProgram(const QString& program);

    const QString m_programFolder;
    const int m_timeoutMs;
    QString m_error;
    queryproblems::RunReport m_report;
    std::atomic<bool> m_aborted = false;
    QMutex m_mutex; // guards m_process against abort() from another thread
    QProcess* m_process = nullptr;
};
