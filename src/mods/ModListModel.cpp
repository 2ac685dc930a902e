// SPDX-License-Identifier: MIT
#include "mods/ModListModel.h"

#include "mods/ModRules.h"
#include "platform/Cp932.h"

#include <algorithm>

namespace {

bool lessIgnoringCase(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; }

} // namespace

ModListModel::ModListModel(QObject* parent) : QAbstractListModel(parent) {}

int ModListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }

QVariant ModListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    // No tool tip per entry: the list's own hint shows wherever the pointer rests.
    if (role == Qt::DisplayRole)
        return m_items.at(index.row()).text;
    return {};
}

Qt::ItemFlags ModListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // Draggable everywhere; only the active list's view starts drags.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
}

QList<QByteArray> ModListModel::entries() const
{
    QList<QByteArray> out;
    out.reserve(m_items.size());
    for (const Item& item : m_items)
        out.append(item.bytes);
    return out;
}

ModListModel::Item ModListModel::makeItem(const QByteArray& bytes) { return Item{bytes, cp932::toUnicode(bytes)}; }

qsizetype ModListModel::sortedPlace(const QString& text) const
{
    // After the entries that compare equal, so that equal names keep the order they came in.
    const auto it = std::upper_bound(m_items.cbegin(), m_items.cend(), text,
                                     [](const QString& t, const Item& item) { return lessIgnoringCase(t, item.text); });
    return it - m_items.cbegin();
}

void ModListModel::sortItems()
{
    std::stable_sort(m_items.begin(), m_items.end(),
                     [](const Item& a, const Item& b) { return lessIgnoringCase(a.text, b.text); });
}

void ModListModel::setEntries(const QList<QByteArray>& entries)
{
    beginResetModel();
    m_items.clear();
    m_items.reserve(entries.size());
    for (const QByteArray& entry : entries)
        m_items.append(makeItem(entry));
    if (m_sorted)
        sortItems();
    endResetModel();
}

int ModListModel::add(const QByteArray& entry)
{
    Item item = makeItem(entry);
    const int row = int(m_sorted ? sortedPlace(item.text) : m_items.size());
    beginInsertRows({}, row, row);
    m_items.insert(row, std::move(item));
    endInsertRows();
    return row;
}

void ModListModel::addAll(const QList<QByteArray>& entries)
{
    if (entries.isEmpty())
        return;
    if (m_sorted) {
        // One reset instead of a thousand inserts.
        QList<QByteArray> all = this->entries();
        all.append(entries);
        setEntries(all);
        return;
    }
    beginInsertRows({}, count(), count() + int(entries.size()) - 1);
    for (const QByteArray& entry : entries)
        m_items.append(makeItem(entry));
    endInsertRows();
}

void ModListModel::removeAt(int row)
{
    if (row < 0 || row >= count())
        return;
    beginRemoveRows({}, row, row);
    m_items.removeAt(row);
    endRemoveRows();
}

void ModListModel::clear()
{
    if (m_items.isEmpty())
        return;
    beginResetModel();
    m_items.clear();
    endResetModel();
}

void ModListModel::move(int from, int to)
{
    if (from < 0 || from >= count() || to < 0 || to >= count() || from == to)
        return;
    // Qt counts the destination in the list before the move: one further down when moving down.
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    m_items.move(from, to);
    endMoveRows();
}

int ModListModel::indexOf(QByteArrayView entry) const
{
    for (int row = 0; row < count(); ++row) {
        if (modrules::sameMod(m_items.at(row).bytes, entry))
            return row;
    }
    return -1;
}

void ModListModel::setSorted(bool sorted)
{
    if (sorted == m_sorted)
        return;
    m_sorted = sorted;
    if (!sorted)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The selection and the current entry follow their entries to the new places.
    const QModelIndexList before = persistentIndexList();
    QList<qsizetype> order(m_items.size());
    for (qsizetype i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [this](qsizetype a, qsizetype b) { return lessIgnoringCase(m_items[a].text, m_items[b].text); });
    QList<Item> sortedItems;
    sortedItems.reserve(m_items.size());
    QList<int> newRowOf(m_items.size());
    for (qsizetype i = 0; i < order.size(); ++i) {
        sortedItems.append(m_items[order[i]]);
        newRowOf[order[i]] = int(i);
    }
    m_items = std::move(sortedItems);
    QModelIndexList after;
    for (const QModelIndex& i : before)
        after.append(index(newRowOf[i.row()]));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
