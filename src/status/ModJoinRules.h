// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// "このMODで接続": joining a host with exactly the mods it runs. The rules decide what a join does
// with the host's mod list; the journal remembers the player's own active list while such a join runs,
// so that a crash cannot leave the game on the host's mods for good.
namespace modjoin {

// The host's mods as a load order: the entries of its list, trimmed, in its order, without the
// game's own content ("origmiss"), which is never an entry of "modsset.txt".
QList<QByteArray> hostLoadOrder(QByteArrayView hostMods);

// Whether the host's mod list was reported at all: an answer cut short before its mods has none.
bool isModListKnown(QByteArrayView hostMods);

// Whether two active lists load the same mods in the same order (names compare without regard to
// letter case, as the mod lists do).
bool sameLoadOrder(const QList<QByteArray>& a, const QList<QByteArray>& b);

struct JoinPlan
{
    enum class Step
    {
        ShowMissing, // some of the host's mods are not installed: list them, nothing else happens
        JustJoin,    // the active list is the host's already
        Switch,      // remember the active list, switch to the host's, join, put it back
    };
    Step step = Step::JustJoin;
    QList<QByteArray> loadOrder; // the host's mods in its order
    QList<QByteArray> missing;   // for ShowMissing
};

using ModPresence = std::function<bool(QByteArrayView modName)>;
JoinPlan planJoin(QByteArrayView hostMods, const QList<QByteArray>& activeMods, const ModPresence& isInstalled);

// The journal "modjoin.txt" in the program folder: a profile file (code page 932) that exists exactly
// while a join with a host's mods runs. It names the game folder whose "modsset.txt" was switched and
// the active list to put back there.
inline const QString JournalFileName = QStringLiteral("modjoin.txt");
// A journal is read up to this size; a join whose journal would not be read back whole is refused.
constexpr qint64 MaxJournalBytes = 1 << 20;

struct Journal
{
    QByteArray gameFolder; // as code page 932 bytes
    QByteArray address;    // the host joined, for the message only
    QList<QByteArray> previousActive;

    bool operator==(const Journal&) const = default;
};

QByteArray formatJournal(const Journal& journal);
// Nothing when the bytes are not a journal (damaged, cut short or empty).
std::optional<Journal> parseJournal(QByteArrayView bytes);

// The active list joined for messages: "a, b" or "(なし)" for an empty one.
QString listText(const QList<QByteArray>& entries);

} // namespace modjoin
