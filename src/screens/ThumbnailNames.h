// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

// Where the shared freedesktop thumbnail cache keeps a file's thumbnail (the Thumbnail Managing
// Standard): PNG files under $XDG_CACHE_HOME/thumbnails (~/.cache/thumbnails when that is unset),
// named after the MD5 of the file's URI, so that file browsers and image viewers share them with us.
namespace thumbnailnames {

// "normal" thumbnails fit in 128 × 128 pixels.
constexpr int NormalSize = 128;

// The cache's root folder, read from the environment each time.
QString cacheRoot();

// The file's URI as GLib writes it: "file://" and the path's bytes, escaped except for the
// characters a URI path may hold as they are. Other programs find the same thumbnail only when
// these bytes are the same.
QByteArray uriFor(const QByteArray& absolutePath);

// The thumbnail's file name: the URI's MD5 in lower-case hexadecimal, then ".png".
QString fileNameFor(const QByteArray& uri);

QString normalPath(const QString& root, const QByteArray& uri);
// Where this program notes that it could not make a thumbnail, so it does not try again.
QString failurePath(const QString& root, const QByteArray& uri);

} // namespace thumbnailnames
