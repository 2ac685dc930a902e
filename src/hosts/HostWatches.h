// SPDX-License-Identifier: MIT
#pragma once

#include "hosts/HostWatchRules.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class HostGridModel;

// The favourites being watched and what the status check saw of each host in this run. Rules
// belong to addresses (a host that is deleted and added again finds its rules), and are kept in
// "hostwatch.txt" in the program folder; what each host last showed is kept only for the run.
class HostWatches : public QObject
{
    Q_OBJECT
public:
    struct Notification
    {
        QString name;
        QString address;
        QString text;
    };
    struct Sighting
    {
        QDateTime when;
        QString status;
    };

    explicit HostWatches(QObject* parent = nullptr);

    hostwatch::WatchRule rule(const QByteArray& address) const { return m_rules.value(address); }
    bool isWatched(const QByteArray& address) const { return m_rules.contains(address); }
    // A rule that is not set removes the address's rules. A changed rule starts unarmed-free: it
    // fires at the next cycle where it holds.
    void setRule(const QByteArray& address, const hostwatch::WatchRule& rule);
    int ruleCount() const { return int(m_rules.size()); }

    // Replaces the rules with the file's; a missing file gives none. Throws UserError, with the rules
    // left as they were, when the file is there but cannot be read or is larger than 1 MiB.
    void load(const QString& path);
    // Writes the rules of the listed hosts in list order, then those of addresses not listed now,
    // up to the file's slots. Throws UserError("<path> に書き込めません").
    void save(const QString& path, const HostGridModel& hosts) const;

    // After a status cycle: notes what every answering host shows and returns, for each watched
    // host, the rules that have become true since the last cycle.
    QList<Notification> evaluate(const HostGridModel& hosts, const QDateTime& now);

    std::optional<Sighting> lastSighting(const QByteArray& address) const;
    // The grid's tooltip for a host: when it last answered and what it showed, and its rules.
    QString toolTip(const QByteArray& address) const;

signals:
    void rulesChanged();

private:
    QHash<QByteArray, hostwatch::WatchRule> m_rules;
    QList<QByteArray> m_order; // addresses with rules, in the order they were read or added
    QHash<QByteArray, hostwatch::EdgeState> m_edges;
    QHash<QByteArray, Sighting> m_sightings;
};
