// SPDX-License-Identifier: MIT
#pragma once

#include "screens/ScreenshotFiles.h"

#include <QAbstractListModel>
#include <QImage>
#include <QList>

// The screenshots the view shows: one row per file of the newest listing, with its thumbnail once
// it is made. A new listing keeps the thumbnails of files that did not change since they were made.
class ScreenshotModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum class State
    {
        Pending, // the thumbnail is being made
        Ready,
        Failed // the file could not be read: the view shows a placeholder
    };
    enum Role
    {
        StateRole = Qt::UserRole + 1,
        ErrorRole
    };

    struct Item
    {
        ScreenshotFile file;
        State state = State::Pending;
        QImage thumbnail;
        QString error;
    };

    explicit ScreenshotModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    const Item& item(int row) const { return m_items.at(row); }
    int pendingCount() const { return m_pending; }
    int readyCount() const { return m_ready; }

    // Takes a new listing; returns the rows whose thumbnails must be made.
    QList<int> setFiles(QList<ScreenshotFile> files);
    // A thumbnail for a row of the current listing, or a null image and the reason it failed.
    void setThumbnail(int row, const QImage& image, const QString& error);

private:
    void recount();

    QList<Item> m_items;
    int m_pending = 0;
    int m_ready = 0;
};
