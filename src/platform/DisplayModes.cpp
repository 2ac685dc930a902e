// SPDX-License-Identifier: MIT
#include "platform/DisplayModes.h"

#include <QGuiApplication>
#include <QScreen>

QList<DisplayMode> displayModes()
{
    QList<DisplayMode> modes = systemDisplayModes();
    if (!modes.isEmpty())
        return modes;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return modes;
    const QSize size = screen->size() * screen->devicePixelRatio();
    modes.append({size.width(), size.height(), 0});
    return modes;
}
