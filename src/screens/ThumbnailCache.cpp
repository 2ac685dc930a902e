// SPDX-License-Identifier: MIT
#include "screens/ThumbnailCache.h"

#include "screens/ThumbnailNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryFile>

#include <cstdio>

namespace {

const QString uriKey = QStringLiteral("Thumb::URI");
const QString mtimeKey = QStringLiteral("Thumb::MTime");
const QString sizeKey = QStringLiteral("Thumb::Size");
const QString reasonKey = QStringLiteral("X-Morvane::Error");

// The cache holds what the user looked at: only they may read it (0700 folders, 0600 files).
bool makePrivateFolder(const QString& path)
{
    if (QFileInfo(path).isDir())
        return true;
    const QString parent = QFileInfo(path).path();
    if (parent != path && !makePrivateFolder(parent))
        return false;
    constexpr QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    // Another thread may make it at the same moment.
    return QDir().mkdir(path, ownerOnly) || QFileInfo(path).isDir();
}

QImage readPng(const QString& path)
{
    QImageReader reader(path, "png");
    reader.setAutoTransform(false);
    return reader.read();
}

} // namespace

ThumbnailCache::ThumbnailCache(QString root) : m_root(std::move(root)) {}

bool ThumbnailCache::belongsTo(const QImage& image, const ScreenshotFile& file, const QByteArray& uri)
{
    if (image.isNull() || image.text(uriKey).toUtf8() != uri)
        return false;
    bool ok = false;
    if (image.text(mtimeKey).toLongLong(&ok) != file.mtime || !ok)
        return false;
    // Optional, but when present it catches a change within the same second.
    const QString size = image.text(sizeKey);
    return size.isEmpty() || size.toLongLong() == file.size;
}

QImage ThumbnailCache::find(const ScreenshotFile& file, const QByteArray& uri) const
{
    QImage image = readPng(thumbnailnames::normalPath(m_root, uri));
    return belongsTo(image, file, uri) ? image : QImage();
}

bool ThumbnailCache::findFailure(const ScreenshotFile& file, const QByteArray& uri, QString* reason) const
{
    const QImage image = readPng(thumbnailnames::failurePath(m_root, uri));
    if (!belongsTo(image, file, uri))
        return false;
    *reason = image.text(reasonKey);
    return true;
}

bool ThumbnailCache::write(const QString& path, QImage image, const ScreenshotFile& file, const QByteArray& uri) const
{
    const QString folder = QFileInfo(path).path();
    if (!makePrivateFolder(folder))
        return false;
    image.setText(uriKey, QString::fromLatin1(uri));
    image.setText(mtimeKey, QString::number(file.mtime));
    image.setText(sizeKey, QString::number(file.size));
    image.setText(QStringLiteral("Thumb::Mimetype"), QStringLiteral("image/bmp"));
    image.setText(QStringLiteral("Software"), QStringLiteral("Morvane"));
    // Written beside its final name and renamed over it, so no reader sees half a thumbnail.
    QTemporaryFile temporary(path + QStringLiteral(".XXXXXX"));
    if (!temporary.open())
        return false;
    QImageWriter writer(&temporary, "png");
    if (!writer.write(image) || !temporary.flush())
        return false;
    temporary.close();
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return false;
    temporary.setAutoRemove(false);
    return true;
}

bool ThumbnailCache::store(const ScreenshotFile& file, const QByteArray& uri, QImage thumbnail,
                           QSize originalSize) const
{
    thumbnail.setText(QStringLiteral("Thumb::Image::Width"), QString::number(originalSize.width()));
    thumbnail.setText(QStringLiteral("Thumb::Image::Height"), QString::number(originalSize.height()));
    return write(thumbnailnames::normalPath(m_root, uri), std::move(thumbnail), file, uri);
}

bool ThumbnailCache::storeFailure(const ScreenshotFile& file, const QByteArray& uri, const QString& reason) const
{
    QImage mark(1, 1, QImage::Format_ARGB32);
    mark.fill(Qt::transparent);
    mark.setText(reasonKey, reason);
    return write(thumbnailnames::failurePath(m_root, uri), std::move(mark), file, uri);
}
