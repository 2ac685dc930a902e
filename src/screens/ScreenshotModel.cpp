// SPDX-License-Identifier: MIT
#include "screens/ScreenshotModel.h"

#include <QHash>

ScreenshotModel::ScreenshotModel(QObject* parent) : QAbstractListModel(parent) {}

int ScreenshotModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_items.size()); }

QVariant ScreenshotModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Item& it = m_items.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return it.file.name;
    case Qt::ToolTipRole:
        return it.state == State::Failed ? it.file.name + QLatin1Char('\n') + it.error : it.file.name;
    case Qt::DecorationRole:
        return it.state == State::Ready ? QVariant(it.thumbnail) : QVariant();
    case StateRole:
        return int(it.state);
    case ErrorRole:
        return it.error;
    default:
        return {};
    }
}

void ScreenshotModel::recount()
{
    m_pending = 0;
    m_ready = 0;
    for (const Item& it : std::as_const(m_items)) {
        m_pending += it.state == State::Pending;
        m_ready += it.state == State::Ready;
    }
}

QList<int> ScreenshotModel::setFiles(QList<ScreenshotFile> files)
{
    QHash<QByteArray, qsizetype> old;
    old.reserve(m_items.size());
    for (qsizetype i = 0; i < m_items.size(); ++i)
        old.insert(m_items[i].file.path, i);

    QList<Item> items;
    items.reserve(files.size());
    QList<int> wanted;
    bool sameRows = files.size() == m_items.size();
    for (qsizetype i = 0; i < files.size(); ++i) {
        Item it;
        const auto found = old.constFind(files[i].path);
        // A file that failed is tried again: it may have been unreadable only for a moment, and the
        // cache's failure notes keep a damaged one from being read again.
        if (found != old.cend() && m_items[*found].state == State::Ready && m_items[*found].file.sameVersion(files[i]))
            it = m_items[*found];
        else
            wanted.append(int(i));
        sameRows = sameRows && found != old.cend() && *found == i;
        it.file = std::move(files[i]);
        items.append(std::move(it));
    }

    if (sameRows) {
        // The same files in the same order: the view keeps its place and its selection.
        m_items = std::move(items);
        for (int row : std::as_const(wanted))
            emit dataChanged(index(row), index(row));
    } else {
        beginResetModel();
        m_items = std::move(items);
        endResetModel();
    }
    recount();
    return wanted;
}

void ScreenshotModel::setThumbnail(int row, const QImage& image, const QString& error)
{
    if (row < 0 || row >= m_items.size())
        return;
    Item& it = m_items[row];
    if (it.state == State::Pending)
        --m_pending;
    else if (it.state == State::Ready)
        --m_ready;
    it.thumbnail = image;
    it.error = image.isNull() ? error : QString();
    it.state = image.isNull() ? State::Failed : State::Ready;
    if (it.state == State::Ready)
        ++m_ready;
    emit dataChanged(index(row), index(row));
}
