// SPDX-License-Identifier: MIT
#pragma once

#include "screens/ScreenshotFiles.h"

#include <QImage>
#include <QSize>
#include <QString>

// The shared freedesktop thumbnail cache: "normal" (128 pixel) PNG thumbnails carrying the URI and
// modification time of the file they show. A thumbnail is used only while both still match, so a
// changed screenshot gets a new one. Writing is best effort: a cache that cannot be written only
// means the next showing reads the screenshots again. Safe to use from several threads.
class ThumbnailCache
{
public:
    explicit ThumbnailCache(QString root);

    const QString& root() const { return m_root; }

    // The cached thumbnail of this version of the file, or a null image.
    QImage find(const ScreenshotFile& file, const QByteArray& uri) const;
    // Stores a thumbnail made from the file, whose picture is originalSize large.
    bool store(const ScreenshotFile& file, const QByteArray& uri, QImage thumbnail, QSize originalSize) const;

    // Whether this program already failed to read this version of the file, and why.
    bool findFailure(const ScreenshotFile& file, const QByteArray& uri, QString* reason) const;
    bool storeFailure(const ScreenshotFile& file, const QByteArray& uri, const QString& reason) const;

private:
    static bool belongsTo(const QImage& image, const ScreenshotFile& file, const QByteArray& uri);
    bool write(const QString& path, QImage image, const ScreenshotFile& file, const QByteArray& uri) const;

    QString m_root;
};
