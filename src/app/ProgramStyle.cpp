// SPDX-License-Identifier: MIT
#include "app/ProgramStyle.h"

#include "app/DeferredIcon.h"

QIcon ProgramStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option, const QWidget* widget) const
{
    if (standardIcon != SP_ToolBarHorizontalExtensionButton && standardIcon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    // The widget may be gone by the time the icon is drawn; the style needs neither it nor the option
    // for these two.
    return deferredIcon([style = baseStyle(), standardIcon] { return style->standardIcon(standardIcon); });
}
