// SPDX-License-Identifier: MIT
#include "status/PlayerListModel.h"

#include "platform/Cp932.h"
#include "status/HostInfoRules.h"

#include <algorithm>
#include <numeric>

using hostinfo::PlayerEntry;

PlayerListModel::PlayerListModel(QObject* parent) : QAbstractTableModel(parent) {}

int PlayerListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_players.size()); }

int PlayerListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant PlayerListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const PlayerEntry& p = m_players.at(index.row());
    if (index.column() == NameColumn) {
        if (role == Qt::DisplayRole)
            return cp932::toUnicode(p.name);
        if (role == TeamColourRole)
            return 0xFFFFFFu;
    } else {
        if (role == Qt::DisplayRole)
            return hostinfo::teamShown(p.team).text;
        if (role == TeamColourRole)
            return hostinfo::teamShown(p.team).rgb;
    }
    if (role == TeamValueRole)
        return cp932::toUnicode(p.team);
    return {};
}

QVariant PlayerListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == NameColumn ? tr("プレイヤー名") : tr("チーム");
}

int PlayerListModel::ListView1Compare(const PlayerEntry& a, const PlayerEntry& b) const
{
    const int order = m_sortColumn == NameColumn
                          ? QString::compare(cp932::toUnicode(a.name), cp932::toUnicode(b.name), Qt::CaseInsensitive)
                          : QString::compare(cp932::toUnicode(a.team), cp932::toUnicode(b.team), Qt::CaseSensitive);
    return m_descending ? -order : order;
}

void PlayerListModel::setSortColumn(int column)
{
    m_sortColumn = column == TeamColumn ? TeamColumn : NameColumn;
    sort();
}

void PlayerListModel::columnClicked(int column)
{
    m_descending = !m_descending;
    setSortColumn(column);
}

void PlayerListModel::clear()
{
    if (m_players.isEmpty())
        return;
    beginResetModel();
    m_players.clear();
    endResetModel();
}

void PlayerListModel::addPlayer(const PlayerEntry& player)
{
    const auto at =
        std::upper_bound(m_players.cbegin(), m_players.cend(), player,
                         [this](const PlayerEntry& a, const PlayerEntry& b) { return ListView1Compare(a, b) < 0; });
    const int row = int(at - m_players.cbegin());
    beginInsertRows({}, row, row);
    m_players.insert(row, player);
    endInsertRows();
}

void PlayerListModel::sort()
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<int> order(m_players.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [this](int a, int b) { return ListView1Compare(m_players.at(a), m_players.at(b)) < 0; });
    QList<PlayerEntry> sorted;
    sorted.reserve(m_players.size());
    QList<int> newRow(m_players.size());
    for (int i = 0; i < order.size(); ++i) {
        sorted.append(m_players.at(order.at(i)));
        newRow[order.at(i)] = i;
    }
    m_players = std::move(sorted);
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after.append(index.isValid() ? createIndex(newRow.at(index.row()), index.column()) : QModelIndex());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
