// SPDX-License-Identifier: MIT
#pragma once

#include "status/HostInfoFiles.h"

#include <QAbstractTableModel>
#include <QList>

// The players of the host information dialog, kept in the order of one sort column and one
// direction flag shared by both columns. The team column's display text is what the list shows
// ("Team 2", "待機中"), so a screen reader reads what is drawn; the raw team value is the sort key.
class PlayerListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        NameColumn,
        TeamColumn,
        ColumnCount
    };
    enum Role
    {
        TeamValueRole = Qt::UserRole + 1, // the raw team value, as a QString
        TeamColourRole,                   // the team's text colour, 0xRRGGBB
    };

    explicit PlayerListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const hostinfo::PlayerEntry& player(int row) const { return m_players.at(row); }

    int sortColumn() const { return m_sortColumn; }
    bool isDescending() const { return m_descending; }
    // Sorts by column; the direction stays.
    void setSortColumn(int column);
    // A click on a column heading: sort by it, the direction flipped.
    void columnClicked(int column);

    void clear();
    // Each player goes in at its place in the current order, after the ones that compare equal.
    void addPlayer(const hostinfo::PlayerEntry& player);

    // < 0, 0 or > 0 as a comes before, with or after b: names without regard to letter case, team
    // values as they stand, all reversed while the direction is descending.
    int ListView1Compare(const hostinfo::PlayerEntry& a, const hostinfo::PlayerEntry& b) const;

private:
    void sort();

    QList<hostinfo::PlayerEntry> m_players;
    int m_sortColumn = NameColumn;
    bool m_descending = false;
};
