// SPDX-License-Identifier: MIT
#include "screens/ThumbnailDelegate.h"

#include "screens/ScreenshotModel.h"

#include <QApplication>
#include <QPainter>

namespace {

constexpr int Margin = 4;
constexpr int TextGap = 3;

} // namespace

QSize ThumbnailDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return {FrameWidth + 2 * Margin, Margin + FrameHeight + TextGap + option.fontMetrics.height() + Margin};
}

void ThumbnailDelegate::paintPlaceholder(QPainter* painter, const QRect& box)
{
    // A grey picture crossed out: the file is listed, but there is nothing to show of it.
    const QRect inner = box.adjusted(box.width() / 4, box.height() / 4, -box.width() / 4, -box.height() / 4);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(QColor(128, 128, 128), 2));
    painter->drawRect(inner);
    painter->drawLine(inner.topLeft(), inner.bottomRight());
    painter->drawLine(inner.topRight(), inner.bottomLeft());
    painter->restore();
}

void ThumbnailDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QRect cell = option.rect;
    const QRect frame(cell.left() + (cell.width() - FrameWidth) / 2, cell.top() + Margin, FrameWidth, FrameHeight);
    const QRect box = frame.adjusted(1, 1, -1, -1);
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;

    const auto state = ScreenshotModel::State(index.data(ScreenshotModel::StateRole).toInt());
    if (state == ScreenshotModel::State::Ready) {
        const QImage image = index.data(Qt::DecorationRole).value<QImage>();
        const QSize size = image.size().boundedTo(box.size());
        const QRect target(box.left() + (box.width() - size.width()) / 2,
                           box.top() + (box.height() - size.height()) / 2, size.width(), size.height());
        painter->drawImage(target, image);
    } else if (state == ScreenshotModel::State::Failed) {
        paintPlaceholder(painter, box);
    }

    painter->save();
    painter->setPen(selected ? palette.color(QPalette::Highlight) : QColor(255, 255, 0));
    painter->drawRect(frame.adjusted(0, 0, -1, -1));

    const QRect textRect(cell.left() + 1, frame.bottom() + 1 + TextGap, cell.width() - 2, option.fontMetrics.height());
    const QString text =
        option.fontMetrics.elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideMiddle, textRect.width() - 4);
    if (selected) {
        const int width = option.fontMetrics.horizontalAdvance(text) + 4;
        painter->fillRect(QRect(textRect.center().x() - width / 2, textRect.top(), width, textRect.height()),
                          palette.color(QPalette::Highlight));
    }
    painter->setFont(option.font);
    painter->setPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(textRect, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();
}
