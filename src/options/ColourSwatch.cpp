// SPDX-License-Identifier: MIT
#include "options/ColourSwatch.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPalette>

ColourSwatch::ColourSwatch(QWidget* parent) : QLabel(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setCursor(Qt::PointingHandCursor);
    setAutoFillBackground(true);
    setColour(QApplication::palette().color(QPalette::Button).rgb() & 0xFFFFFFu);
}

void ColourSwatch::setColour(quint32 colour)
{
    m_colour = colour & 0xFFFFFFu;
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor::fromRgb(m_colour));
    setPalette(p);
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
