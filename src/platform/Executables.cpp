// SPDX-License-Identifier: MIT
#include "platform/Executables.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace executables {

bool isNativeExecutable(const QString& path)
{
#ifdef Q_OS_WIN
    return QFileInfo(path).isFile();
#else
    const QFileInfo info(path);
    if (!info.isFile() || !info.isExecutable())
        return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(4);
    return head == QByteArrayLiteral("\x7f"
                                     "ELF") ||
           head.startsWith(QByteArrayLiteral("#!"));
#endif
}

QString findOnPath(const QString& name) { return QStandardPaths::findExecutable(name); }

} // namespace executables
