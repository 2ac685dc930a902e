// SPDX-License-Identifier: MIT
#include "status/ModJoinRules.h"

#include "mods/ModRules.h"
#include "platform/Cp932.h"
#include "platform/ProfileFile.h"
#include "status/HostInfoRules.h"

#include <QCoreApplication>

namespace modjoin {

namespace {

const QByteArray Section = QByteArrayLiteral("ModJoin");
const QByteArray GameFolderKey = QByteArrayLiteral("GameFolder");
const QByteArray HostKey = QByteArrayLiteral("Host");
const QByteArray CountKey = QByteArrayLiteral("Count");

QByteArray modKey(qsizetype n) { return QByteArrayLiteral("Mod") + QByteArray::number(n); }

// A list longer than this is no journal of ours: the game reads a few dozen mods at most.
constexpr qint32 MaxEntries = 10000;

} // namespace

QList<QByteArray> hostLoadOrder(QByteArrayView hostMods)
{
    QList<QByteArray> order;
    for (const QByteArray& entry : hostinfo::SplitModList(hostMods)) {
        if (!hostinfo::isGameContent(entry))
            order.append(entry);
    }
    return order;
}

bool isModListKnown(QByteArrayView hostMods) { return !hostinfo::SplitModList(hostMods).isEmpty(); }

bool sameLoadOrder(const QList<QByteArray>& a, const QList<QByteArray>& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (!modrules::sameMod(a[i], b[i]))
            return false;
    }
    return true;
}

JoinPlan planJoin(QByteArrayView hostMods, const QList<QByteArray>& activeMods, const ModPresence& isInstalled)
{
    JoinPlan plan;
    plan.loadOrder = hostLoadOrder(hostMods);
    plan.missing = hostinfo::missingMods(plan.loadOrder, isInstalled);
    if (!plan.missing.isEmpty())
        plan.step = JoinPlan::Step::ShowMissing;
    else if (sameLoadOrder(plan.loadOrder, activeMods))
        plan.step = JoinPlan::Step::JustJoin;
    else
        plan.step = JoinPlan::Step::Switch;
    return plan;
}

QByteArray formatJournal(const Journal& journal)
{
    ProfileFile file = ProfileFile::fromBytes('[' + Section + "]\r\n");
    file.writeString(Section, GameFolderKey, ProfileFile::quotedForReading(journal.gameFolder));
    file.writeString(Section, HostKey, ProfileFile::quotedForReading(journal.address));
    file.writeInt(Section, CountKey, journal.previousActive.size());
    for (qsizetype i = 0; i < journal.previousActive.size(); ++i)
        file.writeString(Section, modKey(i + 1), ProfileFile::quotedForReading(journal.previousActive[i]));
    return file.bytes();
}

std::optional<Journal> parseJournal(QByteArrayView bytes)
{
    const ProfileFile file = ProfileFile::fromBytes(bytes.toByteArray());
    const qint32 count = file.readInt(Section, CountKey, -1);
    if (count < 0 || count > MaxEntries || !file.hasKey(Section, GameFolderKey))
        return std::nullopt;
    Journal journal;
    journal.gameFolder = file.readString(Section, GameFolderKey);
    if (journal.gameFolder.isEmpty())
        return std::nullopt;
    journal.address = file.readString(Section, HostKey);
    journal.previousActive.reserve(count);
    for (qint32 n = 1; n <= count; ++n) {
        // Every entry must be there: a list with a hole would load the wrong mods.
        if (!file.hasKey(Section, modKey(n)))
            return std::nullopt;
        journal.previousActive.append(file.readString(Section, modKey(n)));
    }
    return journal;
}

QString listText(const QList<QByteArray>& entries)
{
    if (entries.isEmpty())
        return QCoreApplication::translate("modjoin", "(なし)");
    QStringList names;
    names.reserve(entries.size());
    for (const QByteArray& entry : entries)
        names.append(cp932::toUnicode(entry));
    return names.join(QStringLiteral(", "));
}

} // namespace modjoin
