// SPDX-License-Identifier: MIT
#include "hosts/HostNameDelegate.h"

#include "hosts/HostGridModel.h"

#include <QPainter>

bool HostNameDelegate::isBold(const QModelIndex& index)
{
    if (!index.isValid() || index.column() != HostGridModel::NameColumn)
        return false;
    return !index.siblingAtColumn(HostGridModel::StatusColumn).data().toString().isEmpty();
}

void HostNameDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (isBold(index))
        option->font.setBold(true);
}

bool HostNameDelegate::isMarked(const QModelIndex& index) const
{
    return index.isValid() && index.column() == HostGridModel::NameColumn && m_isWatched && m_isWatched(index.row());
}

void HostNameDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (!isMarked(index)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The cell as usual, its text moved right past the mark, then the mark in bold over the gap.
    QFont bold = option.font;
    bold.setBold(true);
    const int markWidth = QFontMetrics(bold).horizontalAdvance(watchMark()) + 2;
    QStyleOptionViewItem shifted = option;
    initStyleOption(&shifted, index);
    const QRect cell = option.rect;
    shifted.rect.setLeft(cell.left() + markWidth);
    painter->save();
    if (option.state & QStyle::State_Selected)
        painter->fillRect(QRect(cell.left(), cell.top(), markWidth, cell.height()), option.palette.highlight());
    QStyledItemDelegate::paint(painter, shifted, index);
    painter->setFont(bold);
    painter->setPen(
        shifted.palette.color(option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(QRect(cell.left() + 2, cell.top(), markWidth, cell.height()), Qt::AlignLeft | Qt::AlignVCenter,
                      watchMark());
    painter->restore();
}
