// SPDX-License-Identifier: MIT
#pragma once

#include "status/QueryProblems.h"

#include <QProcess>
#include <QString>
#include <QStringList>

// Starting the query program. It runs in the program folder, since its command lines name their
// files relative to it, with its arguments passed one by one (never through a shell).
namespace queryrunner {

// qstat ends on its own within seconds even with hosts that never answer; a run that is still
// going after this long is hung and is ended.
constexpr int QueryTimeoutMs = 60000;

// "qstat が見つかりません" with the places that were looked at.
QString notFoundMessage(const QString& programFolder);
QString cannotStartMessage(const QString& program, const QString& reason);

// Sets up process to run program with arguments in the program folder, its output discarded and its
// error output kept for readErrorOutput().
void prepare(QProcess& process, const QString& programFolder, const QString& program, const QStringList& arguments);
// Takes what the process wrote to its error output into report, up to MaxErrorOutput bytes; the rest
// is read and dropped, so the program never stalls on a full pipe. Call it as the output comes and
// once more after the end.
void readErrorOutput(QProcess& process, queryproblems::RunReport& report);
// The report of a process that has finished by itself.
void finishReport(const QProcess& process, queryproblems::RunReport& report);

// Removes the output file that arguments name after "-of", so a run that writes nothing never
// leaves an older answer (another host's, or an earlier cycle's) to be read as this one's.
void removeOutputFile(const QString& programFolder, const QStringList& arguments);

// User-interface thread: runs the query program with arguments and returns when it has ended,
// keeping the window live meanwhile. A run past timeoutMs, or one whose wait the program's end cuts
// short, is ended and reports false; its output file is then missing. Throws UserError when the
// program is missing or cannot be started.
bool RunQueryProgram(const QString& programFolder, const QStringList& arguments, int timeoutMs = QueryTimeoutMs,
                     queryproblems::RunReport* report = nullptr);

} // namespace queryrunner
