// SPDX-License-Identifier: MIT
#include "status/StatusQuery.h"

#include "platform/ProcessWaiter.h"
#include "platform/QueryProgram.h"
#include "status/QueryFiles.h"

#include <QDir>
#include <QProcess>

StatusQuery::StatusQuery(QString programFolder, int timeoutMs)
    : m_programFolder(std::move(programFolder)), m_timeoutMs(timeoutMs)
{
}

StatusQuery::Outcome StatusQuery::run(QList<QByteArray>& results, qsizetype hostCount)
{
    results.clear();
    m_error.clear();
    m_report = {};
    if (m_aborted)
        return Outcome::Aborted;
    if (hostCount <= 0)
        return Outcome::Done;
    const QString program = queryprogram::find(m_programFolder);
    if (program.isEmpty()) {
        m_error = queryrunner::notFoundMessage(m_programFolder);
        return Outcome::NotFound;
    }
    const Outcome outcome = runProgram(program);
    if (outcome == Outcome::Done)
        results =
            queryfiles::readStatusResults(QDir(m_programFolder).filePath(queryfiles::StatusOutputFile), hostCount);
    return outcome;
}

StatusQuery::Outcome StatusQuery::runProgram(const QString& program)
{
    const QStringList arguments = queryfiles::statusArguments(m_programFolder);
    queryrunner::removeOutputFile(m_programFolder, arguments);

    QProcess process;
    queryrunner::prepare(process, m_programFolder, program, arguments);
    QObject::connect(&process, &QProcess::readyReadStandardError, &process,
                     [this, &process] { queryrunner::readErrorOutput(process, m_report); });
    {
        QMutexLocker lock(&m_mutex);
        m_process = &process;
    }
    process.start();
    const bool started = process.waitForStarted(-1);
    ProcessWaiter::Outcome waited = ProcessWaiter::Outcome::Finished;
    if (started && !m_aborted)
        waited = ProcessWaiter(process).wait(m_timeoutMs);
    {
        QMutexLocker lock(&m_mutex);
        m_process = nullptr;
    }
    if (!started) {
        m_error = queryrunner::cannotStartMessage(program, process.errorString());
        return Outcome::FailedToStart;
    }
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(-1);
    }
    // Only a run that ended by itself has answered; one cut short (the thread's loop was ended
    // from outside) is as good as aborted.
    const bool aborted =
        m_aborted || waited == ProcessWaiter::Outcome::ProgramEnding || waited == ProcessWaiter::Outcome::Stopped;
    if (aborted || waited == ProcessWaiter::Outcome::TimedOut) {
        // Whatever it wrote before it was ended belongs to no finished run.
        queryrunner::removeOutputFile(m_programFolder, arguments);
        m_report.timedOut = !aborted;
        m_report.timeoutMs = m_timeoutMs;
        return aborted ? Outcome::Aborted : Outcome::TimedOut;
    }
    queryrunner::readErrorOutput(process, m_report);
    queryrunner::finishReport(process, m_report);
    return Outcome::Done;
}

void StatusQuery::abort()
{
    m_aborted = true;
    QMutexLocker lock(&m_mutex);
    if (m_process) {
        QProcess* process = m_process;
        // The process belongs to the check thread; it is ended there, in the loop the run waits in.
        QMetaObject::invokeMethod(
            process, [process] { process->kill(); }, Qt::QueuedConnection);
    }
}
