// SPDX-License-Identifier: MIT
#include "screens/ThumbnailLoader.h"

#include "screens/TImgCustomTest.h"
#include "screens/ThumbnailCache.h"
#include "screens/ThumbnailNames.h"
#include "screens/ThumbnailScaler.h"

#include <QMetaObject>
#include <QThread>

struct ThumbnailLoader::Job
{
    quint64 listing = 0;
    std::atomic<bool> stop{false};
    QString cacheRoot;
    QList<Request> requests;
    std::atomic<qsizetype> next{0};
    QMutex mutex;
    QList<Result> done; // guarded by mutex
};

ThumbnailLoader::ThumbnailLoader(const TImgCustomTest& imageLoader, QSize displaySize, QObject* parent)
    : QObject(parent), m_imageLoader(imageLoader), m_displaySize(displaySize)
{
    m_pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
    // Idle workers go away, so a page nobody looks at holds no threads.
    m_pool.setExpiryTimeout(5000);
}

ThumbnailLoader::~ThumbnailLoader()
{
    // Thumbnails not yet in the cache are made again next time: the end of the program does not wait.
    m_closing = true;
    cancel();
    // The workers call back into this object: they must be gone before it is.
    m_pool.waitForDone();
}

void ThumbnailLoader::cancel()
{
    if (m_job)
        m_job->stop = true;
    m_job.reset();
    m_pool.clear();
}

bool ThumbnailLoader::waitForDone(int msecs) { return m_pool.waitForDone(msecs); }

int ThumbnailLoader::unwrittenCount() const
{
    QMutexLocker lock(&m_writesMutex);
    return int(m_writes.size());
}

quint64 ThumbnailLoader::list(const QString& folder)
{
    cancel();
    const quint64 listing = ++m_current;
    m_latest = listing;
    m_pool.start([this, listing, folder] {
        QList<ScreenshotFile> files =
            screenshotfiles::list(folder, [this](const QString& name) { return m_imageLoader.CanLoad(name); });
        QMetaObject::invokeMethod(
            this,
            [this, listing, files = std::move(files)] {
                if (listing == m_current)
                    emit listed(listing, files);
            },
            Qt::QueuedConnection);
    });
    return listing;
}

void ThumbnailLoader::load(quint64 listing, QList<Request> requests)
{
    if (listing != m_current)
        return;
    cancel();
    auto job = std::make_shared<Job>();
    job->listing = listing;
    job->cacheRoot = thumbnailnames::cacheRoot();
    job->requests = std::move(requests);
    m_job = job;
    // With nothing to make, one worker still writes what an older listing left unwritten.
    const int workers = job->requests.isEmpty()
                            ? std::min(1, unwrittenCount())
                            : int(std::min<qsizetype>(m_pool.maxThreadCount(), job->requests.size()));
    for (int i = 0; i < workers; ++i)
        m_pool.start([this, job] { work(job); });
}

ThumbnailLoader::Result ThumbnailLoader::make(Job& job, const ThumbnailCache& cache, const Request& request)
{
    const QSize normal(thumbnailnames::NormalSize, thumbnailnames::NormalSize);
    const ScreenshotFile& file = request.file;
    const QByteArray uri = thumbnailnames::uriFor(file.path);
    Result result;
    result.row = request.row;
    QImage thumbnail = cache.find(file, uri);
    if (thumbnail.isNull() && !cache.findFailure(file, uri, &result.error)) {
        TImgCustomTest::Loaded loaded = m_imageLoader.load(file.path, normal, &job.stop);
        if (loaded.image.isNull()) {
            result.error = loaded.error;
            // A file that vanished or could not be opened may be back later; a damaged one is not
            // read again until it changes.
            if (loaded.damaged)
                cache.storeFailure(file, uri, loaded.error);
        } else {
            thumbnail = loaded.image;
            QMutexLocker lock(&m_writesMutex);
            m_writes.append({file, uri, std::move(loaded.image), loaded.originalSize, job.cacheRoot});
        }
    }
    if (!thumbnail.isNull()) {
        const QSize shown = ThumbnailScaler::fitted(thumbnail.size(), m_displaySize);
        if (shown != thumbnail.size())
            thumbnail = thumbnail.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        result.image = thumbnail.convertToFormat(QImage::Format_RGB32);
    }
    return result;
}

void ThumbnailLoader::work(const std::shared_ptr<Job>& job)
{
    const ThumbnailCache cache(job->cacheRoot);
    for (;;) {
        const qsizetype i = job->next.fetch_add(1);
        if (job->stop || i >= job->requests.size())
            break;
        Result result = make(*job, cache, job->requests.at(i));
        if (job->stop)
            break;
        bool first = false;
        {
            QMutexLocker lock(&job->mutex);
            first = job->done.isEmpty();
            job->done.append(std::move(result));
        }
        if (first)
            QMetaObject::invokeMethod(
                this, [this, job] { deliver(job); }, Qt::QueuedConnection);
    }
    // Only once the listing's thumbnails are all made are they written to the cache, so the user sees
    // them as soon as they are read. A newer listing takes the workers over, and writes the rest later.
    for (;;) {
        if (m_closing || m_latest != job->listing)
            return;
        Write write;
        {
            QMutexLocker lock(&m_writesMutex);
            if (m_writes.isEmpty())
                return;
            write = m_writes.takeLast();
        }
        ThumbnailCache(write.cacheRoot).store(write.file, write.uri, std::move(write.thumbnail), write.originalSize);
    }
}

void ThumbnailLoader::deliver(const std::shared_ptr<Job>& job)
{
    QList<Result> results;
    {
        QMutexLocker lock(&job->mutex);
        results.swap(job->done);
    }
    if (job->listing == m_current && !job->stop && !results.isEmpty())
        emit thumbnailsReady(job->listing, results);
}
