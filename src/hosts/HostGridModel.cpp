// SPDX-License-Identifier: MIT
#include "hosts/HostGridModel.h"

#include "platform/Cp932.h"

#include <QStringList>

HostGridModel::HostGridModel(QObject* parent) : QAbstractTableModel(parent), m_slots(MaxHostCount) {}

// MaxHostCount at rest; one less only between the two halves of removeHost().
int HostGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_slots.size());
}

int HostGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant HostGridModel::data(const QModelIndex& index, int role) const
{
    // Views and QAbstractItemModelTester ask about the invalid (root) index too; only a valid index that is
    // not ours is a programming fault worth checkIndex()'s warning.
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role != Qt::DisplayRole)
        return {};
    const int row = index.row();
    switch (index.column()) {
    case NameColumn:
        return nameText(row);
    case AddressColumn:
        return addressText(row);
    case StatusColumn:
        return m_slots.at(row).status;
    default:
        return QString();
    }
}

QString HostGridModel::headerText() { return tr("-,ホストネーム,アドレス,人数[残時間]"); }

QVariant HostGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section >= 0 && section < MaxHostCount ? QVariant(QString::number(section + 1)) : QVariant();
    const QStringList titles = headerText().split(QLatin1Char(','));
    if (section < 0 || section >= titles.size())
        return {};
    return titles.at(section);
}

Qt::ItemFlags HostGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return Qt::NoItemFlags;
    // An empty slot can never become current: clicks and arrow keys pass over it.
    if (!isHost(index.row()))
        return Qt::ItemNeverHasChildren;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

QString HostGridModel::nameText(int i) const { return cp932::toUnicode(m_slots.at(i).name); }

QString HostGridModel::addressText(int i) const { return cp932::toUnicode(m_slots.at(i).address); }

bool HostGridModel::isUsableAddress(QByteArrayView address)
{
    // As the profile reader sees a value: blanks around it dropped, then one pair of enclosing quotes.
    qsizetype begin = 0;
    qsizetype end = address.size();
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (begin < end && blank(address[begin]))
        ++begin;
    while (end > begin && blank(address[end - 1]))
        --end;
    const qsizetype length = end - begin;
    if (length == 0)
        return false;
    if (length == 2 && (address[begin] == '"' || address[begin] == '\'') && address[end - 1] == address[begin])
        return false;
    return true;
}

namespace {

// A line break inside a name or an address would split its line in every file the host is written to,
// and shift every later host's status: it is stored as a blank.
QByteArray oneLine(QByteArray text)
{
    text.replace('\r', ' ');
    text.replace('\n', ' ');
    return text;
}

} // namespace

QString HostGridModel::refusalFor(const QString& typed)
{
    if (typed.contains(QLatin1Char('\r')) || typed.contains(QLatin1Char('\n')))
        return tr("ホスト名とアドレスに改行は使えません");
    return cp932::unencodableMessage(typed);
}

bool HostGridModel::appendHost(const QByteArray& name, const QByteArray& address)
{
    // Only the empty address is refused here: whatever non-empty value the file gives is a host, and
    // the file writer quotes what the reader would otherwise change. Typed answers are checked with
    // isUsableAddress() by the handlers.
    if (isFull() || address.isEmpty())
        return false;
    const int row = m_count;
    m_slots[row] = Host{oneLine(name), oneLine(address), QString()};
    ++m_count;
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    emit hostCountChanged(m_count);
    return true;
}

bool HostGridModel::setHost(int i, const QByteArray& name, const QByteArray& address)
{
    if (!isHost(i) || address.isEmpty())
        return false;
    Host& h = m_slots[i];
    h.name = oneLine(name);
    h.address = oneLine(address);
    emit dataChanged(index(i, NameColumn), index(i, AddressColumn));
    return true;
}

void HostGridModel::removeHost(int i)
{
    if (!isHost(i))
        return;
    // Removing and re-adding an empty slot at the end keeps persistent indexes right: the hosts
    // below the removed one keep their indexes, one row higher.
    beginRemoveRows(QModelIndex(), i, i);
    m_slots.removeAt(i);
    --m_count;
    endRemoveRows();
    beginInsertRows(QModelIndex(), MaxHostCount - 1, MaxHostCount - 1);
    m_slots.append(Host{});
    endInsertRows();
    emit hostCountChanged(m_count);
}

void HostGridModel::clear()
{
    const bool hadHosts = m_count > 0;
    beginResetModel();
    m_slots = QList<Host>(MaxHostCount);
    m_count = 0;
    endResetModel();
    if (hadHosts)
        emit hostCountChanged(0);
}

void HostGridModel::moveHostRow(int from, int to)
{
    if (!isHost(from) || !isHost(to) || from == to)
        return;
    // Qt names the destination as the row the moved one goes before, counted before the move.
    const int destination = to > from ? to + 1 : to;
    if (!beginMoveRows(QModelIndex(), from, from, QModelIndex(), destination))
        return;
    m_slots.move(from, to);
    endMoveRows();
}

void HostGridModel::setStatus(int i, const QString& status)
{
    if (!isHost(i) || m_slots.at(i).status == status)
        return;
    m_slots[i].status = status;
    // The name cell too: its weight shows whether the host answered.
    emit dataChanged(index(i, NameColumn), index(i, StatusColumn));
}

void HostGridModel::clearStatuses()
{
    for (int i = 0; i < MaxHostCount; ++i) {
        if (m_slots.at(i).status.isEmpty())
            continue;
        m_slots[i].status.clear();
        emit dataChanged(index(i, NameColumn), index(i, StatusColumn));
    }
}
