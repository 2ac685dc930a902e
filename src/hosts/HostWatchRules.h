// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>
#include <utility>

class ProfileFile;

// Watching a favourite host: the two optional rules a host may carry, when they hold for what the
// status check shows, and the file "hostwatch.txt" that keeps them by address.
namespace hostwatch {

inline const QString FileName = QStringLiteral("hostwatch.txt");
// The game takes at most 36 players; a little room is left for hosts that report more.
constexpr int MaxAtLeast = 64;

struct WatchRule
{
    bool whenFree = false; // "空きが出たら通知": a slot is free
    int atLeast = 0;       // "N人以上で通知": at least N players; 0 is off

    bool isSet() const { return whenFree || atLeast > 0; }
    bool operator==(const WatchRule&) const = default;
};

// The players and the maximum as the status column shows them ("4/16[00:25:00]"). Nothing for an
// empty cell (the host did not answer) or one that does not start with two counts.
struct ShownCount
{
    int players = 0;
    int max = 0;
};
std::optional<ShownCount> parseStatusCell(QStringView cell);

enum class Reason
{
    FreeSlot,
    EnoughPlayers,
};

// Whether each rule held at the last evaluation. A rule that does not hold (the host did not
// answer counts as not holding) arms it again.
struct EdgeState
{
    bool free = false;
    bool enough = false;
};

// The rules that hold now but did not at the last evaluation; state is brought up to date.
QList<Reason> risingEdges(const WatchRule& rule, const std::optional<ShownCount>& shown, EdgeState& state);

// The notification's text: the host's name, why, and what the status column shows.
QString notificationText(const QString& hostName, Reason reason, const WatchRule& rule, const QString& status);
// The rules in words, for the grid's tooltip; empty for a host without rules.
QString ruleText(const WatchRule& rule);

// "hostwatch.txt": the section "HostWatch" with HostIP<n>, WhenFree<n> and AtLeast<n> for n from 1 to
// SlotCount, written like the host list (every slot, the empty ones too); reading stops at the first
// empty address.
constexpr int SlotCount = 50;
using Entry = std::pair<QByteArray, WatchRule>; // address, rule
QList<Entry> readEntries(const ProfileFile& file);
void writeEntries(ProfileFile& file, const QList<Entry>& entries);

} // namespace hostwatch
