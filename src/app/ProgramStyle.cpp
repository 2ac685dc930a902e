// SPDX-License-Identifier: MIT
#include "app/ProgramStyle.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyleOption>

QIcon ProgramStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option, const QWidget* widget) const
{
    if (standardIcon != SP_ToolBarHorizontalExtensionButton)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    // Two chevrons, as the style's own icon shows them.
    const QPalette palette = option ? option->palette : QApplication::palette();
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QPen(palette.color(QPalette::WindowText), 1.5));
    for (int x : {4, 9}) {
        p.drawLine(x, 4, x + 3, 8);
        p.drawLine(x + 3, 8, x, 12);
    }
    return QIcon(pixmap);
}
