// SPDX-License-Identifier: MIT
#include "support/TestFolders.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <stdexcept>

#include <ftw.h>

namespace {

void copyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString dst = to + QLatin1Char('/') + QDir(from).relativeFilePath(src);
        if (it.fileInfo().isDir())
            QDir().mkpath(dst);
        else if (!QFile::copy(src, dst))
            throw std::runtime_error("cannot copy fixture " + src.toStdString());
    }
}

} // namespace

TestFolders::TestFolders()
{
    QDir().mkpath(programFolder());
    copyTree(fixture(QStringLiteral("game")), gameFolder());
    const QString exe = game(QStringLiteral("GhostRecon.exe"));
    QFile::remove(exe);
    if (!QFile::copy(QStringLiteral(MORVANE_FAKE_GAME), exe))
        throw std::runtime_error("cannot copy the stand-in game");
    QFile::setPermissions(exe, QFile::permissions(exe) | QFile::ExeOwner | QFile::ExeUser);
}

TestFolders::~TestFolders()
{
    // Byte by byte: a name that is not valid UTF-8 (a code page 932 one) is beyond QDir's reach and
    // would leave the folder behind.
    if (!m_root.isValid())
        return;
    const auto remove = [](const char* path, const struct stat*, int, FTW*) { return ::remove(path); };
    ::nftw(QFile::encodeName(m_root.path()).constData(), remove, 16, FTW_DEPTH | FTW_PHYS);
}

QString TestFolders::programFolder() const { return path(QStringLiteral("program")); }
QString TestFolders::gameFolder() const { return path(QStringLiteral("game")); }
QString TestFolders::path(const QString& relative) const { return m_root.filePath(relative); }
QString TestFolders::program(const QString& name) const { return programFolder() + QLatin1Char('/') + name; }
QString TestFolders::game(const QString& name) const { return gameFolder() + QLatin1Char('/') + name; }

QByteArray TestFolders::readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void TestFolders::writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file " + path.toStdString());
}

QString TestFolders::fixture(const QString& relative)
{
    return QStringLiteral(MORVANE_FIXTURES_DIR) + QLatin1Char('/') + relative;
}
