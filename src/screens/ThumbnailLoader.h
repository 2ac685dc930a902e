// SPDX-License-Identifier: MIT
#pragma once

#include "screens/ScreenshotFiles.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QSize>
#include <QThreadPool>

#include <memory>

// Lists a folder and makes its thumbnails on worker threads, one per core, so that the window never
// waits for a disk or a decoder. Every listing gets a number; starting a new one stops the work of
// the old one, and whatever the old one still delivers is dropped: the newest listing always wins.
// Results arrive in batches, one queued call for all that finished while the window was busy.
class TImgCustomTest;

class ThumbnailLoader : public QObject
{
    Q_OBJECT
public:
    struct Request
    {
        int row = 0;
        ScreenshotFile file;
    };
    struct Result
    {
        int row = 0;
        QImage image; // fitted within the display size; null when the file could not be read
        QString error;
    };

    // displaySize: the box thumbnails are shown in.
    // imageLoader decides which files are listed and reads them; it must outlive this object.
    ThumbnailLoader(const TImgCustomTest& imageLoader, QSize displaySize, QObject* parent = nullptr);
    ~ThumbnailLoader() override;

    // Starts listing folder; listed() follows. Returns the listing's number.
    quint64 list(const QString& folder);
    // Makes the thumbnails of a listing; results for an older listing are not made.
    void load(quint64 listing, QList<Request> requests);
    // Stops all work.
    void cancel();
    // Waits until no worker runs; false when the time ran out.
    bool waitForDone(int msecs);

    quint64 currentListing() const { return m_current; }
    int threadCount() const { return m_pool.maxThreadCount(); }

signals:
    void listed(quint64 listing, const QList<ScreenshotFile>& files);
    void thumbnailsReady(quint64 listing, const QList<ThumbnailLoader::Result>& results);

private:
    struct Job;
    void work(const std::shared_ptr<Job>& job);
    void deliver(const std::shared_ptr<Job>& job);

    const TImgCustomTest& m_imageLoader;
    QSize m_displaySize;
    QThreadPool m_pool;
    quint64 m_current = 0;
    std::shared_ptr<Job> m_job;
};
