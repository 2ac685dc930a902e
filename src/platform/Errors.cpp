// SPDX-License-Identifier: MIT
#include "platform/Errors.h"

#include <QCoreApplication>
#include <QDir>

QString cannotWriteMessage(const QString& path)
{
    return QCoreApplication::translate("Errors", "%1 に書き込めません").arg(QDir::toNativeSeparators(path));
}

QString cannotReadMessage(const QString& path, const QString& reason)
{
    QString text = QCoreApplication::translate("Errors", "%1 を読み込めません").arg(QDir::toNativeSeparators(path));
    if (!reason.isEmpty())
        text += QCoreApplication::translate("Errors", "\n（%1）").arg(reason);
    return text;
}
