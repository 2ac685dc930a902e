// SPDX-License-Identifier: MIT
#include "status/HostInfoQuery.h"

#include "status/QueryFiles.h"

#include <QDir>

namespace hostinfo {

HostInfoResult fetchHostInfo(const QString& programFolder, const QString& address, int timeoutMs)
{
    using Outcome = HostInfoResult::Outcome;
    HostInfoResult result;
    const QDir folder(programFolder);
    if (!queryrunner::RunQueryProgram(programFolder, queryfiles::hostInfoArguments(address), timeoutMs))
        return result;
    switch (ReadHostInfoFile(folder.filePath(queryfiles::HostInfoOutputFile), result.info)) {
    case HostInfoRead::Missing:
        return result;
    case HostInfoRead::NoAnswer:
        result.outcome = Outcome::NoAnswer;
        return result;
    case HostInfoRead::Answered:
        break;
    }
    if (!queryrunner::RunQueryProgram(programFolder, queryfiles::playersArguments(address, result.info.Dedicated),
                                      timeoutMs))
        return result;
    std::optional<QList<PlayerEntry>> players = readPlayersFile(folder.filePath(queryfiles::PlayersOutputFile));
    if (!players)
        return result;
    result.players = std::move(*players);
    result.outcome = Outcome::Answered;
    return result;
}

} // namespace hostinfo
