// SPDX-License-Identifier: MIT
// Elsewhere than Windows: the attribute words come from Wine's extended attribute or the mode bits.
#include "platform/FolderListing.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace folderlisting {

namespace {

std::optional<QByteArray> dosAttrib(const QByteArray& path)
{
    char value[256];
    const ssize_t length = getxattr(path.constData(), "user.DOSATTRIB", value, sizeof value);
    if (length < 0)
        return std::nullopt;
    return QByteArray(value, length);
}

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

} // namespace

QList<Entry> find(const QString& pattern)
{
    QList<Entry> entries;
    const auto [folder, wildcard] = splitPattern(pattern);
    const QByteArray folderBytes = QFile::encodeName(folder);
    DIR* dir = opendir(folderBytes.constData());
    if (!dir)
        return entries;
    while (const dirent* d = readdir(dir)) {
        const QString name = QFile::decodeName(d->d_name);
        if (!matchesWildcard(name, wildcard))
            continue;
        const QByteArray path = folderBytes + '/' + d->d_name;
        struct stat st;
        // A link counts as what it points to, as it does for the game under Wine; a dangling one is skipped.
        if (stat(path.constData(), &st) != 0)
            continue;
        const bool isDirectory = S_ISDIR(st.st_mode);
        quint32 attributes = 0;
        const std::optional<QByteArray> stored = dosAttrib(path);
        if (const std::optional<quint32> word = stored ? parseDosAttrib(*stored) : std::nullopt)
            attributes = (*word & ~quint32(Directory)) | (isDirectory ? quint32(Directory) : 0u);
        else
            attributes = attributesFromMode(isDirectory, (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0, name);
        entries.append(Entry{name, attributes});
    }
    closedir(dir);
    return entries;
}

QList<File> files(const QByteArray& folder, const std::function<bool(QByteArrayView name)>& accept)
{
    QList<File> out;
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return out;
    const int fd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArrayView name(entry->d_name);
        if (!accept(name))
            continue;
        struct stat st = {};
        if (::fstatat(fd, entry->d_name, &st, 0) != 0 || !S_ISREG(st.st_mode))
            continue;
        out.append(File{name.toByteArray(), qint64(st.st_size), qint64(st.st_mtim.tv_sec)});
    }
    ::closedir(dir);
    return out;
}

bool exists(const QByteArray& path) { return ::access(path.constData(), F_OK) == 0; }

std::unique_ptr<QFile> openFile(const QByteArray& path, qint64* size, QString* error)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        *error = systemReason(errno);
        return nullptr;
    }
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        *error = QStringLiteral("ファイルではありません");
        ::close(fd);
        return nullptr;
    }
    auto file = std::make_unique<QFile>();
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        *error = file->errorString();
        ::close(fd);
        return nullptr;
    }
    *size = qint64(st.st_size);
    return file;
}

} // namespace folderlisting
