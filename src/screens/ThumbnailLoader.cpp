// SPDX-License-Identifier: MIT
#include "screens/ThumbnailLoader.h"

#include "screens/TImgCustomTest.h"
#include "screens/ThumbnailCache.h"
#include "screens/ThumbnailNames.h"
#include "screens/ThumbnailScaler.h"

#include <QMetaObject>
#include <QMutex>
#include <QThread>

#include <atomic>

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

quint64 ThumbnailLoader::list(const QString& folder)
{
    cancel();
    const quint64 listing = ++m_current;
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
    if (listing != m_current || requests.isEmpty())
        return;
    cancel();
    auto job = std::make_shared<Job>();
    job->listing = listing;
    job->cacheRoot = thumbnailnames::cacheRoot();
    job->requests = std::move(requests);
    m_job = job;
    const int workers = int(std::min<qsizetype>(m_pool.maxThreadCount(), job->requests.size()));
    for (int i = 0; i < workers; ++i)
        m_pool.start([this, job] { work(job); });
}

void ThumbnailLoader::work(const std::shared_ptr<Job>& job)
{
    const ThumbnailCache cache(job->cacheRoot);
    const TImgCustomTest& loader = m_imageLoader;
    const QSize normal(thumbnailnames::NormalSize, thumbnailnames::NormalSize);
    for (;;) {
        const qsizetype i = job->next.fetch_add(1);
        if (job->stop || i >= job->requests.size())
            return;
        const Request& request = job->requests.at(i);
        const ScreenshotFile& file = request.file;
        const QByteArray uri = thumbnailnames::uriFor(file.path);
        Result result;
        result.row = request.row;
        QImage thumbnail = cache.find(file, uri);
        if (thumbnail.isNull() && !cache.findFailure(file, uri, &result.error)) {
            TImgCustomTest::Loaded loaded = loader.load(file.path, normal, &job->stop);
            if (job->stop)
                return;
            if (loaded.image.isNull()) {
                result.error = loaded.error;
                // A file that vanished or could not be opened may be back later; a damaged one is not
                // read again until it changes.
                if (loaded.damaged)
                    cache.storeFailure(file, uri, loaded.error);
            } else {
                cache.store(file, uri, loaded.image, loaded.originalSize);
                thumbnail = std::move(loaded.image);
            }
        }
        if (!thumbnail.isNull()) {
            const QSize shown = ThumbnailScaler::fitted(thumbnail.size(), m_displaySize);
            result.image = shown == thumbnail.size()
                               ? thumbnail.convertToFormat(QImage::Format_RGB32)
                               : thumbnail.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                     .convertToFormat(QImage::Format_RGB32);
        }
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
