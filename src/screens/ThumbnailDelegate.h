// SPDX-License-Identifier: MIT
#pragma once

#include <QStyledItemDelegate>

// Paints one screenshot: its thumbnail in a 96 × 80 frame, yellow and one pixel wide (the selected
// one in the highlight colour), a placeholder for a file that could not be read, the name below.
class ThumbnailDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    static constexpr int FrameWidth = 96;
    static constexpr int FrameHeight = 80;

    using QStyledItemDelegate::QStyledItemDelegate;

    // The box a thumbnail is fitted in: the frame without its line.
    static QSize imageBox() { return {FrameWidth - 2, FrameHeight - 2}; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    static void paintPlaceholder(QPainter* painter, const QRect& box);
};
