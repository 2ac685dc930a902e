// SPDX-License-Identifier: MIT
#include "screens/TImgCustomTest.h"

#include "platform/FolderListing.h"
#include "screens/BmpReader.h"
#include "screens/ScreenshotFiles.h"
#include "screens/ThumbnailScaler.h"

#include <QCoreApplication>
#include <QFile>

#include <cstring>

bool TImgCustomTest::CanLoad(const QString& fileName) const { return screenshotfiles::isScreenshotName(fileName); }

bool TImgCustomTest::LoadFile(const QString& fileName, QImage& picture) const
{
    Loaded loaded = load(QFile::encodeName(fileName));
    if (loaded.image.isNull())
        return false;
    picture = std::move(loaded.image);
    return true;
}

TImgCustomTest::Loaded TImgCustomTest::load(const QByteArray& path, QSize box, const std::atomic<bool>* stop) const
{
    Loaded out;
    qint64 size = 0;
    const std::unique_ptr<QFile> file = folderlisting::openFile(path, &size, &out.error);
    if (!file)
        return out;
    BmpReader reader(*file, size);
    if (!reader.readHeader()) {
        out.error = reader.error();
        out.damaged = true;
        return out;
    }
    const BmpReader::Header& h = reader.header();
    const QSize source(h.width, h.height);
    out.originalSize = source;
    const auto stopped = [stop] { return stop && stop->load(std::memory_order_relaxed); };

    if (box.isEmpty()) {
        QImage image(source, QImage::Format_RGB32);
        if (image.isNull()) {
            out.error = QCoreApplication::translate("TImgCustomTest", "メモリが足りません");
            return out;
        }
        const bool ok = reader.readPixels([&](int y, const quint32* row) {
            std::memcpy(image.scanLine(y), row, std::size_t(h.width) * 4);
            return !stopped();
        });
        if (!ok) {
            out.error = reader.error();
            out.damaged = !stopped();
            return out;
        }
        out.image = std::move(image);
        return out;
    }

    ThumbnailScaler scaler(source, ThumbnailScaler::fitted(source, box));
    const bool ok = reader.readPixels([&](int y, const quint32* row) {
        scaler.addRow(y, row);
        return !stopped();
    });
    if (!ok) {
        out.error = reader.error();
        out.damaged = !stopped();
        return out;
    }
    const QSize target = scaler.targetSize();
    QImage image(target, QImage::Format_RGB32);
    const std::vector<quint32> pixels = scaler.result();
    for (int y = 0; y < target.height(); ++y)
        std::memcpy(image.scanLine(y), pixels.data() + std::size_t(y) * std::size_t(target.width()),
                    std::size_t(target.width()) * 4);
    out.image = std::move(image);
    return out;
}
