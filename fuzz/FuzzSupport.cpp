// SPDX-License-Identifier: MIT
#include "FuzzSupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace fuzz {

const QString& folder()
{
    static QTemporaryDir dir;
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
