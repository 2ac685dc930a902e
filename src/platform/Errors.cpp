// SPDX-License-Identifier: MIT
#include "platform/Errors.h"

#include <QDir>

QString cannotWriteMessage(const QString& path)
{
    return QStringLiteral("%1 に書き込めません").arg(QDir::toNativeSeparators(path));
}

QString cannotReadMessage(const QString& path, const QString& reason)
{
    QString text = QStringLiteral("%1 を読み込めません").arg(QDir::toNativeSeparators(path));
    if (!reason.isEmpty())
        text += QStringLiteral("\n（%1）").arg(reason);
    return text;
}
