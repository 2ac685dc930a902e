// SPDX-License-Identifier: MIT
#include "screens/ScreenshotFiles.h"

#include "platform/Cp932.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace screenshotfiles {

namespace {

bool isBmpExtension(QByteArrayView ext) { return ext.size() == 4 && cp932::asciiLower(ext) == QByteArrayView(".bmp"); }

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

} // namespace

bool isScreenshotName(QStringView fileName)
{
    const qsizetype separator = std::max(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\'));
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0 || dot < separator)
        return false;
    return fileName.sliced(dot).compare(u".bmp", Qt::CaseInsensitive) == 0;
}

bool isScreenshotName(QByteArrayView fileName)
{
    // Names from the disk hold no separator, and a trail byte is never '.', so the last four bytes tell.
    return fileName.size() >= 4 && isBmpExtension(fileName.last(4));
}

QString displayName(QByteArrayView name)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(name);
    if (!utf8.hasError())
        return text;
    return cp932::toUnicode(name);
}

QList<ScreenshotFile> list(const QString& folder, const std::function<bool(const QString& name)>& accept)
{
    QList<ScreenshotFile> out;
    if (folder.isEmpty())
        return out;
    QByteArray base = QFile::encodeName(folder);
    DIR* dir = ::opendir(base.constData());
    if (!dir)
        return out;
    if (!base.endsWith('/'))
        base += '/';
    const int fd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArrayView name(entry->d_name);
        // Most folders hold far more than screenshots: the cheap test on the bytes comes first.
        if (!isScreenshotName(name))
            continue;
        QString text = displayName(name);
        if (!accept(text))
            continue;
        struct stat st = {};
        // Following links, as a file browser does; a folder named like a screenshot is left out.
        if (::fstatat(fd, entry->d_name, &st, 0) != 0 || !S_ISREG(st.st_mode))
            continue;
        ScreenshotFile file;
        file.path = base + name.toByteArray();
        file.name = std::move(text);
        file.mtime = qint64(st.st_mtim.tv_sec);
        file.size = qint64(st.st_size);
        out.append(std::move(file));
    }
    ::closedir(dir);
    std::sort(out.begin(), out.end(), [](const ScreenshotFile& a, const ScreenshotFile& b) {
        const int byText = a.name.compare(b.name, Qt::CaseInsensitive);
        return byText != 0 ? byText < 0 : a.path < b.path;
    });
    return out;
}

bool exists(const QByteArray& path) { return ::access(path.constData(), F_OK) == 0; }

std::unique_ptr<QFile> open(const QByteArray& path, qint64* size, QString* error)
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

} // namespace screenshotfiles
