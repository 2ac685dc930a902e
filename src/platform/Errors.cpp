// SPDX-License-Identifier: MIT
#include "platform/Errors.h"

#include <QDir>

QString cannotWriteMessage(const QString& path)
{
    return QStringLiteral("%1 に書き込めません").arg(QDir::toNativeSeparators(path));
}
