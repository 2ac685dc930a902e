// SPDX-License-Identifier: MIT
#include "launch/AddressHistory.h"

#include "platform/Cp932.h"
#include "platform/TextFile.h"

AddressHistory::AddressHistory(QObject* parent) : QAbstractListModel(parent) {}

int AddressHistory::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }

QVariant AddressHistory::data(const QModelIndex& index, int role) const
{
    // The combo boxes ask with an invalid index while they have no current item.
    if (!index.isValid() || index.parent().isValid() || index.row() >= count())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return text(index.row());
    return {};
}

QString AddressHistory::text(int i) const { return cp932::toUnicode(m_entries.at(i)); }

QStringList AddressHistory::texts() const
{
    QStringList out;
    out.reserve(m_entries.size());
    for (const QByteArray& entry : m_entries)
        out << cp932::toUnicode(entry);
    return out;
}

int AddressHistory::indexOf(const QString& text) const
{
    for (int i = 0; i < count(); ++i) {
        if (this->text(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool AddressHistory::insertTyped(const QString& text)
{
    if (text == defaultAddress() || indexOf(text) >= 0)
        return false;
    insertBytesAtTop(cp932::fromUnicode(text));
    return true;
}

void AddressHistory::insertAtTop(const QString& text) { insertBytesAtTop(cp932::fromUnicode(text)); }

void AddressHistory::insertBytesAtTop(const QByteArray& entry)
{
    beginInsertRows({}, 0, 0);
    m_entries.prepend(entry);
    endInsertRows();
    if (count() > MaxEntries) {
        beginRemoveRows({}, MaxEntries, count() - 1);
        m_entries.resize(MaxEntries);
        endRemoveRows();
    }
}

void AddressHistory::clear()
{
    if (m_entries.isEmpty())
        return;
    beginRemoveRows({}, 0, count() - 1);
    m_entries.clear();
    endRemoveRows();
}

void AddressHistory::setEntries(QList<QByteArray> entries)
{
    if (entries.size() > MaxEntries)
        entries.resize(MaxEntries);
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

void AddressHistory::loadFile(const QString& path)
{
    // A hand-edited file may hold more; the eleventh line on would never leave the list again.
    setEntries(textfile::readExistingLines(path, MaxEntries).value_or(QList<QByteArray>()));
}

QByteArray AddressHistory::fileBytes() const
{
    QList<QByteArray> lines = m_entries;
    // A pasted text may carry line ends; written as they are they would split the entry in two.
    for (QByteArray& line : lines) {
        line.replace('\r', ' ');
        line.replace('\n', ' ');
    }
    return textfile::joinCrLf(lines);
}

void AddressHistory::saveFile(const QString& path) const { textfile::writeAtomic(path, fileBytes()); }
