// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

// One screenshot of the game folder. Its path is kept in the file system's own bytes: a name written
// in code page 932 on a Linux disk is not valid UTF-8, and would not survive a round trip through text.
struct ScreenshotFile
{
    QByteArray path;  // absolute
    QString name;     // for the user
    qint64 mtime = 0; // seconds since the epoch
    qint64 size = 0;

    bool sameVersion(const ScreenshotFile& other) const
    {
        return path == other.path && mtime == other.mtime && size == other.size;
    }
};

namespace screenshotfiles {

// True when the name's extension (from its last '.' after the last '/' or '\'), in lower case, is ".bmp".
bool isScreenshotName(QStringView fileName);
bool isScreenshotName(QByteArrayView fileName);

// A file name's bytes as text: UTF-8 when they are valid UTF-8, else code page 932.
QString displayName(QByteArrayView name);

// The folder's files that accept() takes by their names, sorted by name without regard to case.
// Folders are left out; a folder that is missing or cannot be read lists nothing.
QList<ScreenshotFile> list(const QString& folder, const std::function<bool(const QString& name)>& accept);

} // namespace screenshotfiles
