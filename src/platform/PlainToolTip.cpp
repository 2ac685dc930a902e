// SPDX-License-Identifier: MIT
#include "platform/PlainToolTip.h"

#include <QTextDocument>

QString plainToolTip(const QString& text)
{
    if (!Qt::mightBeRichText(text))
        return text;
    return Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal);
}
