// SPDX-License-Identifier: MIT
#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace fuzz {

const QString& folder()
{
    // In memory where the system offers it: the readers' atomic saves sync their files, and on a disk
    // those syncs would be nearly all of a run's time.
    static const QFileInfo shm(QStringLiteral("/dev/shm"));
    static QTemporaryDir dir((shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath()) +
                             QStringLiteral("/morvane-fuzz-XXXXXX"));
    static const QString path = dir.isValid() ? dir.path() : QString();
    if (path.isEmpty()) {
        std::fputs("fuzz: no temporary folder\n", stderr);
        std::abort();
    }
    return path;
}

QString writeFile(const QString& name, const QByteArray& bytes)
{
    const QString path = folder() + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "fuzz: cannot write %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

void violated(const char* what, const char* file, int line)
{
    std::fprintf(stderr, "fuzz: property broken at %s:%d: %s\n", file, line, what);
    std::abort();
}

} // namespace fuzz
