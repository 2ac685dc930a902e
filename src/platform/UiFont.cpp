// SPDX-License-Identifier: MIT
#include "platform/UiFont.h"

#include <QFontDatabase>
#include <QStringList>

QFont uiFont()
{
    const QStringList wanted = {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                                QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                                QStringLiteral("IPAGothic")};
    QFont font;
    // The first family the system has goes first: asking for missing ones makes every text
    // layout search the fallbacks.
    QStringList families = wanted;
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : wanted) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            families.removeAll(family);
            families.prepend(family);
            break;
        }
    }
    font.setFamilies(families);
    font.setPixelSize(12);
    return font;
}
