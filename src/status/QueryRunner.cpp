// SPDX-License-Identifier: MIT
#include "status/QueryRunner.h"

#include "platform/Errors.h"
#include "platform/ProcessWaiter.h"
#include "platform/QueryProgram.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace queryrunner {

QString notFoundMessage(const QString& programFolder)
{
    return QCoreApplication::translate(
               "queryrunner", "ゲームサーバーの情報を取得するプログラム qstat が見つかりません。\n"
                              "qstat をインストールするか、プログラムのフォルダに置いてください。\n\n探した場所:\n%1")
        .arg(queryprogram::candidates(programFolder).join(QLatin1Char('\n')));
}

QString cannotStartMessage(const QString& program, const QString& reason)
{
    return QCoreApplication::translate("queryrunner", "%1 を起動できません。\nプログラムを開始できませんでした（%2）。")
        .arg(QDir::toNativeSeparators(program), reason);
}

void prepare(QProcess& process, const QString& programFolder, const QString& program, const QStringList& arguments)
{
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(programFolder);
    // Its answers go to the files; an unread pipe would only stall it once full. Its complaints are
    // read as they come (readErrorOutput), so that the user hears them.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::SeparateChannels);
}

void readErrorOutput(QProcess& process, queryproblems::RunReport& report)
{
    const QByteArray more = process.readAllStandardError();
    const qsizetype room = queryproblems::MaxErrorOutput - report.errorOutput.size();
    if (room > 0)
        report.errorOutput += more.left(room);
}

void finishReport(const QProcess& process, queryproblems::RunReport& report)
{
    report.crashed = process.exitStatus() == QProcess::CrashExit;
    report.exitCode = report.crashed ? 0 : process.exitCode();
}

void removeOutputFile(const QString& programFolder, const QStringList& arguments)
{
    const qsizetype i = arguments.indexOf(QStringLiteral("-of"));
    if (i >= 0 && i + 1 < arguments.size())
        QFile::remove(QDir(programFolder).filePath(arguments.at(i + 1)));
}

bool RunQueryProgram(const QString& programFolder, const QStringList& arguments, int timeoutMs,
                     queryproblems::RunReport* report)
{
    const QString program = queryprogram::find(programFolder);
    if (program.isEmpty())
        throw UserError(notFoundMessage(programFolder));
    removeOutputFile(programFolder, arguments);
    QProcess process;
    prepare(process, programFolder, program, arguments);
    queryproblems::RunReport ownReport;
    queryproblems::RunReport& r = report ? *report : ownReport;
    r = {};
    QObject::connect(&process, &QProcess::readyReadStandardError, &process,
                     [&process, &r] { readErrorOutput(process, r); });
    process.start();
    ProcessWaiter waiter(process);
    switch (waiter.wait(timeoutMs)) {
    case ProcessWaiter::Outcome::Finished:
        if (process.error() != QProcess::FailedToStart) {
            readErrorOutput(process, r);
            finishReport(process, r);
            return true;
        }
        [[fallthrough]];
    case ProcessWaiter::Outcome::FailedToStart:
        throw UserError(cannotStartMessage(program, process.errorString()));
    case ProcessWaiter::Outcome::TimedOut:
        r.timedOut = true;
        r.timeoutMs = timeoutMs;
        break;
    case ProcessWaiter::Outcome::Stopped:
    // The program is ending: the query program must not outlive it, nor its answer be taken.
    case ProcessWaiter::Outcome::ProgramEnding:
        break;
    }
    process.kill();
    process.waitForFinished(-1);
    // A half-written answer of a run that was ended is no answer.
    removeOutputFile(programFolder, arguments);
    return false;
}

} // namespace queryrunner
