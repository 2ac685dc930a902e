// SPDX-License-Identifier: MIT
#include "hosts/HostWatches.h"

#include "hosts/HostGridModel.h"
#include "platform/Errors.h"
#include "platform/ProfileFile.h"
#include "platform/TextFile.h"

#include <QSet>

namespace {

// A profile file of 50 entries is a few kilobytes.
constexpr qint64 MaxFileBytes = 1 << 20;

} // namespace

HostWatches::HostWatches(QObject* parent) : QObject(parent) {}

void HostWatches::setRule(const QByteArray& address, const hostwatch::WatchRule& rule)
{
    if (address.isEmpty())
        return;
    m_edges.remove(address);
    if (!rule.isSet()) {
        if (m_rules.remove(address))
            m_order.removeOne(address);
    } else {
        if (!m_rules.contains(address))
            m_order.append(address);
        m_rules.insert(address, rule);
    }
    emit rulesChanged();
}

void HostWatches::load(const QString& path)
{
    // A file over the cap is refused whole: the end writes back what was read, and a part would
    // replace the whole.
    const std::optional<QByteArray> bytes = textfile::readExisting(path, MaxFileBytes + 1);
    if (bytes && bytes->size() > MaxFileBytes)
        throw UserError(cannotReadMessage(path, tr("ファイルが大きすぎます")));
    const QList<hostwatch::Entry> entries =
        bytes ? hostwatch::readEntries(ProfileFile::fromBytes(*bytes)) : QList<hostwatch::Entry>();
    m_rules.clear();
    m_order.clear();
    m_edges.clear();
    for (const auto& [address, rule] : entries) {
        if (m_rules.contains(address))
            continue;
        m_rules.insert(address, rule);
        m_order.append(address);
    }
    emit rulesChanged();
}

void HostWatches::save(const QString& path, const HostGridModel& hosts) const
{
    QList<hostwatch::Entry> entries;
    QSet<QByteArray> written;
    const auto add = [&](const QByteArray& address) {
        if (entries.size() >= hostwatch::SlotCount || written.contains(address) || !m_rules.contains(address))
            return;
        written.insert(address);
        entries.append({address, m_rules.value(address)});
    };
    for (int i = 0; i < hosts.hostCount(); ++i)
        add(hosts.host(i).address);
    for (const QByteArray& address : m_order)
        add(address);
    ProfileFile file(path);
    hostwatch::writeEntries(file, entries);
    file.save();
}

QList<HostWatches::Notification> HostWatches::evaluate(const HostGridModel& hosts, const QDateTime& now)
{
    QList<Notification> notifications;
    QSet<QByteArray> seen;
    for (int i = 0; i < hosts.hostCount(); ++i) {
        const HostGridModel::Host& host = hosts.host(i);
        if (!host.status.isEmpty())
            m_sightings.insert(host.address, {now, host.status});
        // Two rows of one address are one host: its rules are weighed once a cycle.
        const auto rule = m_rules.constFind(host.address);
        if (rule == m_rules.constEnd() || seen.contains(host.address))
            continue;
        seen.insert(host.address);
        const auto reasons =
            hostwatch::risingEdges(*rule, hostwatch::parseStatusCell(host.status), m_edges[host.address]);
        for (hostwatch::Reason reason : reasons)
            notifications.append({hosts.nameText(i), hosts.addressText(i),
                                  hostwatch::notificationText(hosts.nameText(i), reason, *rule, host.status)});
    }
    return notifications;
}

std::optional<HostWatches::Sighting> HostWatches::lastSighting(const QByteArray& address) const
{
    const auto it = m_sightings.constFind(address);
    if (it == m_sightings.constEnd())
        return std::nullopt;
    return *it;
}

QString HostWatches::toolTip(const QByteArray& address) const
{
    QStringList lines;
    if (const std::optional<Sighting> seen = lastSighting(address)) {
        lines << tr("最後の応答: %1").arg(seen->when.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
        lines << tr("そのときの人数[残時間]: %1").arg(seen->status);
    } else {
        lines << tr("この起動中にはまだ応答がありません");
    }
    const QString rules = hostwatch::ruleText(rule(address));
    if (!rules.isEmpty())
        lines << tr("通知: %1").arg(rules);
    return lines.join(QLatin1Char('\n'));
}
