// SPDX-License-Identifier: MIT
#include "status/HostInfoQuery.h"

#include "platform/Errors.h"
#include "status/QueryFiles.h"
#include "status/QueryProblems.h"

#include <QCoreApplication>
#include <QDir>

namespace hostinfo {

namespace {

// A run that wrote no answer and complained is reported, naming the address; a run that simply
// wrote nothing stays quiet as before.
void reportFailedRun(const QString& address, const queryproblems::RunReport& report)
{
    if (report.isClean())
        return;
    throw UserError(
        QCoreApplication::translate("hostinfo", "アドレス %1 の情報を取得できませんでした。\n").arg(address) +
        queryproblems::runProblemText(report));
}

} // namespace

HostInfoResult fetchHostInfo(const QString& programFolder, const QString& address, int timeoutMs)
{
    using Outcome = HostInfoResult::Outcome;
    HostInfoResult result;
    const QDir folder(programFolder);
    queryproblems::RunReport report;
    if (!queryrunner::RunQueryProgram(programFolder, queryfiles::hostInfoArguments(address), timeoutMs, &report))
        return result;
    switch (ReadHostInfoFile(folder.filePath(queryfiles::HostInfoOutputFile), result.info)) {
    case HostInfoRead::Missing:
        reportFailedRun(address, report);
        return result;
    case HostInfoRead::NoAnswer:
        result.outcome = Outcome::NoAnswer;
        return result;
    case HostInfoRead::Answered:
        break;
    }
    if (!queryrunner::RunQueryProgram(programFolder, queryfiles::playersArguments(address, result.info.Dedicated),
                                      timeoutMs, &report))
        return result;
    std::optional<QList<PlayerEntry>> players = readPlayersFile(folder.filePath(queryfiles::PlayersOutputFile));
    if (!players) {
        reportFailedRun(address, report);
        return result;
    }
    result.players = std::move(*players);
    result.outcome = Outcome::Answered;
    return result;
}

} // namespace hostinfo
