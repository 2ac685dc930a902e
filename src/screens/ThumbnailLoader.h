// SPDX-License-Identifier: MIT
#pragma once

#include "screens/ScreenshotFiles.h"

#include <QImage>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QSize>
#include <QThreadPool>

#include <atomic>
#include <memory>

// Lists a folder and makes its thumbnails on worker threads, one per core, so that the window never
// waits for a disk or a decoder. Every listing gets a number; starting a new one stops the work of
// the old one, and whatever the old one still delivers is dropped: the newest listing always wins.
// Results arrive in batches, one queued call for all that finished while the window was busy. New
// thumbnails go to the shared cache once all of the listing's are shown.
class TImgCustomTest;
class ThumbnailCache;

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
    // Thumbnails made but not yet written to the cache.
    int unwrittenCount() const;

    quint64 currentListing() const { return m_current; }
    int threadCount() const { return m_pool.maxThreadCount(); }

signals:
    void listed(quint64 listing, const QList<ScreenshotFile>& files);
    void thumbnailsReady(quint64 listing, const QList<ThumbnailLoader::Result>& results);

private:
    struct Job;
    struct Write
    {
        ScreenshotFile file;
        QByteArray uri;
        QImage thumbnail;
        QSize originalSize;
        QString cacheRoot;
    };
    void work(const std::shared_ptr<Job>& job);
    Result make(Job& job, const ThumbnailCache& cache, const Request& request);
    void deliver(const std::shared_ptr<Job>& job);

    const TImgCustomTest& m_imageLoader;
    QSize m_displaySize;
    QThreadPool m_pool;
    quint64 m_current = 0;            // the window's thread's own
    std::atomic<quint64> m_latest{0}; // the same, for the workers
    std::atomic<bool> m_closing{false};
    std::shared_ptr<Job> m_job;
    mutable QMutex m_writesMutex;
    QList<Write> m_writes; // guarded by m_writesMutex
};
