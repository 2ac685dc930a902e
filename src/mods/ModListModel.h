// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QList>
#include <QString>

// One of the two mod lists: entries are mod names as code-page-932 bytes, shown decoded. The list
// may be kept sorted (alphabetically, letter case ignored): every added entry then goes to its place,
// switching sorting on re-sorts, switching it off keeps the present order and adds at the end.
class ModListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit ModListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int count() const { return int(m_items.size()); }
    QByteArray entry(int row) const { return m_items.at(row).bytes; }
    QString text(int row) const { return m_items.at(row).text; }
    QList<QByteArray> entries() const;

    // Replaces every entry (sorted when sorting is on).
    void setEntries(const QList<QByteArray>& entries);
    // Adds at the end, or in its sorted place; returns the row it went to.
    int add(const QByteArray& entry);
    void addAll(const QList<QByteArray>& entries);
    void removeAt(int row);
    void clear();
    // Takes the entry out of its place and inserts it at `to` (both rows of the list as it is).
    void move(int from, int to);

    // The first entry equal to `entry` without regard to letter case, or -1.
    int indexOf(QByteArrayView entry) const;

    bool isSorted() const { return m_sorted; }
    void setSorted(bool sorted);

private:
    struct Item
    {
        QByteArray bytes;
        QString text;
    };
    static Item makeItem(const QByteArray& bytes);
    qsizetype sortedPlace(const QString& text) const;
    void sortItems();

    QList<Item> m_items;
    bool m_sorted = false;
};
