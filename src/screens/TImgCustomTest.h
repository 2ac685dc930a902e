// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <atomic>

// The screenshot view's image loader: which files it takes, and reading one into a picture, whole or
// already shrunk to a thumbnail while it is read. It holds no data, so one instance serves every thread.
class TImgCustomTest
{
public:
    struct Loaded
    {
        QImage image;         // null when the file could not be read
        QSize originalSize;   // from the header, when it could be read
        QString error;        // why, for the user
        bool damaged = false; // the file is there but is not a readable bitmap
    };

    // True for a name whose extension, in lower case, is ".bmp".
    bool CanLoad(const QString& fileName) const;
    // Reads the file as a device-independent bitmap into picture; false, picture untouched, when it
    // cannot (missing, unreadable, damaged, cut short or too large).
    bool LoadFile(const QString& fileName, QImage& picture) const;

    // The file, by its bytes, whole (box empty) or fitted within box. stop, when set, ends the read.
    Loaded load(const QByteArray& path, QSize box = {}, const std::atomic<bool>* stop = nullptr) const;
};
