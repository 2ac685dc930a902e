// SPDX-License-Identifier: MIT
#pragma once

#include <QProxyStyle>

// The desktop's style, less one cost of the start: the menu bar asks for its overflow button's icon
// as it is made, and the style reads that icon from an image file without naming its format, which
// has Qt's image reader load every image plug-in (with libjpeg) to guess it. Here the style's icon is
// asked for only when the button is drawn, which in a window whose menus fit is never.
class ProgramStyle : public QProxyStyle
{
    Q_OBJECT
public:
    // Takes base over.
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
