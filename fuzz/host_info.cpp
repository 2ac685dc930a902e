// SPDX-License-Identifier: MIT
// The query program's host information ("hostinfo.dat") and players ("players.dat") outputs, read
// from files as the information window reads them and shown as it shows them: the mod list stays
// within its bound and on a character boundary, the wrapped text drops nothing.
#include "FuzzSupport.h"

#include "platform/Cp932.h"
#include "status/HostInfoFiles.h"
#include "status/HostInfoRules.h"
#include "status/ModJoinRules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    TQStatData record;
    const QString infoPath = fuzz::writeFile(QStringLiteral("hostinfo.dat"), input);
    const hostinfo::HostInfoRead read = hostinfo::ReadHostInfoFile(infoPath, record);
    FUZZ_CHECK(read != hostinfo::HostInfoRead::Missing);
    FUZZ_CHECK(record.Mods.size() <= TQStatData::MaxModsBytes);
    FUZZ_CHECK(cp932::boundaryAtOrBefore(record.Mods, record.Mods.size()) == record.Mods.size());
    if (read == hostinfo::HostInfoRead::Answered) {
        hostinfo::playersText(record);
        for (const QByteArray* text : {&record.ServerName, &record.Map, &record.Mission, &record.Mods}) {
            const QByteArray wrapped = hostinfo::wrapText(*text);
            FUZZ_CHECK(QByteArray(wrapped).replace("\r\n", "") == QByteArray(*text).replace("\r\n", ""));
        }
        const auto installed = [](QByteArrayView name) { return name.size() % 2 == 0; };
        const QList<QByteArray> mods = hostinfo::SplitModList(record.Mods);
        hostinfo::missingMods(mods, installed);
        if (modjoin::isModListKnown(record.Mods)) {
            const modjoin::JoinPlan plan = modjoin::planJoin(record.Mods, mods, installed);
            FUZZ_CHECK(plan.step != modjoin::JoinPlan::Step::ShowMissing || !plan.missing.isEmpty());
        }
    }

    const QString playersPath = fuzz::writeFile(QStringLiteral("players.dat"), input);
    const std::optional<QList<hostinfo::PlayerEntry>> players = hostinfo::readPlayersFile(playersPath);
    FUZZ_CHECK(players.has_value());
    for (const hostinfo::PlayerEntry& player : *players) {
        FUZZ_CHECK(!player.name.isEmpty());
        hostinfo::teamShown(player.team);
    }
    return 0;
}
