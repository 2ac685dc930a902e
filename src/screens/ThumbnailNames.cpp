// SPDX-License-Identifier: MIT
#include "screens/ThumbnailNames.h"

#include <QCryptographicHash>
#include <QDir>

namespace thumbnailnames {

namespace {

// Left as they are in a URI path by GLib's file name escaping; every other byte is escaped.
bool keptInPath(uchar c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    return QByteArrayView("-._~!$&'()*+,/:=@").contains(char(c));
}

} // namespace

QString cacheRoot()
{
    QString base = qEnvironmentVariable("XDG_CACHE_HOME");
    // XDG base directories must be absolute; a relative one is ignored.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.cache");
    return base + QStringLiteral("/thumbnails");
}

QByteArray uriFor(const QByteArray& absolutePath)
{
    static const char hex[] = "0123456789ABCDEF";
    QByteArray uri = QByteArrayLiteral("file://");
    uri.reserve(uri.size() + absolutePath.size() * 3);
    for (const char ch : absolutePath) {
        const auto c = uchar(ch);
        if (keptInPath(c)) {
            uri += ch;
        } else {
            uri += '%';
            uri += hex[c >> 4];
            uri += hex[c & 0x0F];
        }
    }
    return uri;
}

QString fileNameFor(const QByteArray& uri)
{
    return QString::fromLatin1(QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex()) + QStringLiteral(".png");
}

QString normalPath(const QString& root, const QByteArray& uri)
{
    return root + QStringLiteral("/normal/") + fileNameFor(uri);
}

QString failurePath(const QString& root, const QByteArray& uri)
{
    return root + QStringLiteral("/fail/morvane-") + QStringLiteral(MORVANE_VERSION) + QLatin1Char('/') +
           fileNameFor(uri);
}

} // namespace thumbnailnames
