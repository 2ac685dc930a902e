// SPDX-License-Identifier: MIT
#pragma once

#include "status/HostInfoFiles.h"
#include "status/QueryRunner.h"
#include "status/TQStatData.h"

#include <QList>
#include <QString>

// One host's information and players, fetched through the query program on the user-interface
// thread (the window stays live meanwhile).
namespace hostinfo {

struct HostInfoResult
{
    enum class Outcome
    {
        Answered, // info and players hold what the host reported
        NoAnswer, // the host did not answer; no players were asked for
        Failed,   // a run was cut short or wrote no answer file; nothing is known
    };
    Outcome outcome = Outcome::Failed;
    TQStatData info;
    QList<PlayerEntry> players;
};

// Runs the information command line for address and, when the host answered, the players command
// line that fits whether it is dedicated. Throws UserError when the query program is missing or
// cannot be started.
HostInfoResult fetchHostInfo(const QString& programFolder, const QString& address,
                             int timeoutMs = queryrunner::QueryTimeoutMs);

} // namespace hostinfo
