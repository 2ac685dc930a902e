// SPDX-License-Identifier: MIT
// Measures the screenshot page on a folder of 1024 x 768 x 24-bit screenshots:
//   1. from the tab being shown to the first thumbnails painted, and to the first screenful;
//   2. the longest time the window's thread is blocked while the rest load (target < 50 ms);
//   3. the time until all are shown, against reading and shrinking the same files in a plain loop
//      on the same cores (target within 1.5 times);
//   4. the second showing, from the thumbnail cache, in a new page (target < 0.5 s).
// Usage: bench_screens [files, default 500] [runs, default 5]
#include "SilentPrompter.h"
#include "game/GameInstallation.h"
#include "screens/ScreenshotFiles.h"
#include "screens/ScreenshotModel.h"
#include "screens/ScreenshotPage.h"
#include "screens/TImgCustomTest.h"
#include "screens/ThumbnailDelegate.h"
#include "screens/ThumbnailNames.h"
#include "screens/ThumbnailScaler.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QListView>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <thread>
#include <vector>

namespace {

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char((v >> (8 * i)) & 0xFF);
    return b;
}

// A screenshot-like picture: gradients, a different one per file, with some noise so that the
// thumbnails do not compress to nothing.
QByteArray screenshot(int index, int width, int height)
{
    const int stride = (width * 3 + 3) / 4 * 4;
    QByteArray bytes = QByteArrayLiteral("BM") + le32(quint32(54 + stride * height)) + le32(0) + le32(54);
    bytes += le32(40) + le32(quint32(width)) + le32(quint32(height)) + le32(1 | (24 << 16)) + le32(0) +
             le32(quint32(stride * height)) + le32(2835) + le32(2835) + le32(0) + le32(0);
    bytes.resize(54 + qsizetype(stride) * height);
    quint32 seed = quint32(index) * 2654435761u + 1;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uchar*>(bytes.data()) + 54 + qsizetype(stride) * y;
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = int(seed >> 29);
            row[3 * x] = uchar((x + index * 7 + noise) & 0xFF);
            row[3 * x + 1] = uchar((y + index * 13) & 0xFF);
            row[3 * x + 2] = uchar(((x ^ y) + index + noise) & 0xFF);
        }
    }
    return bytes;
}

double ms(qint64 ns) { return double(ns) / 1e6; }

// The work of one thumbnail without the page: read and shrink to the cache's size, then to the
// size it is shown at, exactly as the workers do.
QImage thumbnailOf(const TImgCustomTest& loader, const QByteArray& path)
{
    const QSize normal(thumbnailnames::NormalSize, thumbnailnames::NormalSize);
    QImage image = loader.load(path, normal).image;
    const QSize shown = ThumbnailScaler::fitted(image.size(), ThumbnailDelegate::imageBox());
    return image.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

qint64 cpuNs(clockid_t clock)
{
    timespec t = {};
    clock_gettime(clock, &t);
    return qint64(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

struct Timing
{
    qint64 wall = 0;
    qint64 cpu = 0;
};

Timing plainLoop(const QList<ScreenshotFile>& files, int threads)
{
    const qint64 cpuStart = cpuNs(CLOCK_PROCESS_CPUTIME_ID);
    const TImgCustomTest loader;
    std::atomic<qsizetype> next{0};
    std::atomic<int> made{0};
    QElapsedTimer clock;
    clock.start();
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([&] {
            for (qsizetype i = next++; i < files.size(); i = next++)
                made += !thumbnailOf(loader, files[i].path).isNull();
        });
    for (std::thread& w : workers)
        w.join();
    const Timing t{clock.nsecsElapsed(), cpuNs(CLOCK_PROCESS_CPUTIME_ID) - cpuStart};
    if (made != files.size())
        std::fprintf(stderr, "plain loop made %d of %lld\n", made.load(), qlonglong(files.size()));
    return t;
}

struct Showing
{
    qint64 firstPaint = -1;  // a paint with at least one thumbnail in it
    qint64 firstScreen = -1; // every visible cell filled
    qint64 allShown = -1;
    qint64 longestBlock = 0;
    qint64 windowCpu = 0;  // CPU time of the window's thread, measured without the heartbeat
    qint64 processCpu = 0; // of the whole program
};

// Watches the view's paints and the window thread's heartbeat while a showing loads.
class Probe : public QObject
{
public:
    Probe(QListView* view, ScreenshotModel& model) : m_view(view), m_model(model)
    {
        view->viewport()->installEventFilter(this);
        m_beat.setTimerType(Qt::PreciseTimer);
        m_beat.setInterval(1);
        connect(&m_beat, &QTimer::timeout, this, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_result.longestBlock = std::max(m_result.longestBlock, now - m_lastBeat);
            m_lastBeat = now;
        });
    }

    void start(bool heartbeat)
    {
        m_result = {};
        m_clock.start();
        m_lastBeat = 0;
        m_threadCpu = cpuNs(CLOCK_THREAD_CPUTIME_ID);
        m_processCpu = cpuNs(CLOCK_PROCESS_CPUTIME_ID);
        if (heartbeat)
            m_beat.start();
    }
    void markAllShown()
    {
        m_result.allShown = m_clock.nsecsElapsed();
        m_result.windowCpu = cpuNs(CLOCK_THREAD_CPUTIME_ID) - m_threadCpu;
        m_result.processCpu = cpuNs(CLOCK_PROCESS_CPUTIME_ID) - m_processCpu;
    }
    Showing finish()
    {
        m_beat.stop();
        return m_result;
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Paint || !m_clock.isValid())
            return false;
        const qint64 now = m_clock.nsecsElapsed();
        if (m_result.firstPaint < 0 && m_model.readyCount() > 0)
            m_result.firstPaint = now;
        if (m_result.firstScreen < 0 && m_model.rowCount() > 0 && visibleAllReady())
            m_result.firstScreen = now;
        return false;
    }

private:
    bool visibleAllReady() const
    {
        const QRect area = m_view->viewport()->rect();
        for (int row = 0; row < m_model.rowCount(); ++row) {
            const QRect cell = m_view->visualRect(m_model.index(row));
            if (cell.intersects(area) && m_model.item(row).state == ScreenshotModel::State::Pending)
                return false;
        }
        return true;
    }

    QListView* m_view;
    ScreenshotModel& m_model;
    QTimer m_beat;
    QElapsedTimer m_clock;
    qint64 m_lastBeat = 0;
    qint64 m_threadCpu = 0;
    qint64 m_processCpu = 0;
    Showing m_result;
};

// Runs the event loop until done() or the time runs out. It sleeps between events: a loop that polls
// would take a core from the workers it measures.
bool spin(const std::function<bool()>& done, int msecs = 120000)
{
    QEventLoop loop;
    QTimer check;
    check.setInterval(2);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(msecs, &loop, &QEventLoop::quit);
    check.start();
    if (!done())
        loop.exec();
    return done();
}

// Shows the page's tab as a user does, and waits until every thumbnail is in and painted.
Showing show(QTabWidget& tabs, ScreenshotPage& page, bool heartbeat)
{
    tabs.setCurrentIndex(0);
    QCoreApplication::processEvents();
    Probe probe(page.ImgLvSS(), page.model());
    bool finished = false;
    QObject::connect(&page, &ScreenshotPage::loadingFinished, &probe, [&] {
        probe.markAllShown();
        finished = true;
    });
    probe.start(heartbeat);
    tabs.setCurrentWidget(&page);
    if (!spin([&] { return finished; }))
        std::fprintf(stderr, "the showing did not finish\n");
    // The last thumbnails still have to reach the screen.
    QCoreApplication::processEvents();
    Showing s = probe.finish();
    if (s.firstScreen < 0)
        s.firstScreen = s.allShown;
    return s;
}

qint64 median(std::vector<qint64> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 500;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    const int cores = std::max(1, QThread::idealThreadCount());

    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("game"));
    QDir().mkpath(folder);
    std::fprintf(stderr, "writing %d screenshots of 1024 x 768 x 24 bits...\n", count);
    for (int i = 0; i < count; ++i) {
        QFile file(folder + QStringLiteral("/shot%1.bmp").arg(i, 4, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly) || file.write(screenshot(i, 1024, 768)) < 0)
            return 1;
    }
    const QString cache = root.filePath(QStringLiteral("cache"));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache));
    const QList<ScreenshotFile> files = screenshotfiles::list(folder, [](const QString&) { return true; });
    const GameInstallation installation(folder);

    SilentPrompter prompter;
    const Timing single = plainLoop(files, 1);
    std::vector<qint64> loops, loopCpu, firstPaint, firstScreen, allShown, ratio, block, cachedAll, cachedFirst,
        cachedBlock, sameAll, written, windowCpu, showingCpu;
    for (int run = 0; run < runs; ++run) {
        // The plain loop just before and just after, so that a change in the machine's load between
        // them does not decide the comparison.
        const Timing before = plainLoop(files, cores);

        QDir(cache).removeRecursively();
        QTabWidget tabs;
        tabs.resize(394, 420);
        tabs.addTab(new QWidget, QStringLiteral("ホスト"));
        auto* page = new ScreenshotPage(prompter, installation);
        tabs.addTab(page, QStringLiteral("SSビュー"));
        tabs.show();
        QCoreApplication::processEvents();
        const Showing cold = show(tabs, *page, true);
        if (page->model().readyCount() != count)
            std::fprintf(stderr, "only %d of %d thumbnails made\n", page->model().readyCount(), count);
        // New thumbnails go to the cache once all are shown.
        QElapsedTimer writing;
        writing.start();
        page->loader().waitForDone(-1);
        written.push_back(writing.nsecsElapsed());
        const Timing after = plainLoop(files, cores);

        const qint64 loop = (before.wall + after.wall) / 2;
        loops.push_back(loop);
        loopCpu.push_back((before.cpu + after.cpu) / 2);
        firstPaint.push_back(cold.firstPaint);
        firstScreen.push_back(cold.firstScreen);
        allShown.push_back(cold.allShown);
        ratio.push_back(cold.allShown * 1000 / loop);
        block.push_back(cold.longestBlock);
        sameAll.push_back(show(tabs, *page, true).allShown);

        // A new page, as at the next start of the program: the thumbnails come from the cache.
        auto* again = new ScreenshotPage(prompter, installation);
        tabs.addTab(again, QStringLiteral("SSビュー2"));
        const Showing warm = show(tabs, *again, true);
        cachedAll.push_back(warm.allShown);
        cachedFirst.push_back(warm.firstPaint);
        cachedBlock.push_back(warm.longestBlock);

        // Once more from an empty cache without the heartbeat, whose own wake-ups would count: the
        // CPU time of the window's thread and of the whole program until all are shown.
        QDir(cache).removeRecursively();
        auto* quiet = new ScreenshotPage(prompter, installation);
        tabs.addTab(quiet, QStringLiteral("SSビュー3"));
        const Showing measured = show(tabs, *quiet, false);
        windowCpu.push_back(measured.windowCpu);
        showingCpu.push_back(measured.processCpu);
        quiet->loader().waitForDone(-1);
    }

    const double loop = ms(median(loops));
    std::printf("%d screenshots of 1024 x 768 x 24 bits, %d cores, medians of %d runs\n", count, cores, runs);
    std::printf("plain loop, read and shrink:        %8.1f ms on 1 thread, %8.1f ms on %d threads (%.1f ms CPU)\n",
                ms(single.wall), loop, cores, ms(median(loopCpu)));
    std::printf("first showing, empty cache:\n");
    std::printf("  first thumbnails painted          %8.1f ms\n", ms(median(firstPaint)));
    std::printf("  first screenful painted           %8.1f ms\n", ms(median(firstScreen)));
    std::printf("  longest block of the window       %8.1f ms   (target < 50 ms)\n", ms(median(block)));
    std::printf(
        "  all shown                         %8.1f ms   = %.2f x the plain loop of the same run (target <= 1.5)\n",
        ms(median(allShown)), double(median(ratio)) / 1000);
    std::printf("  CPU until all shown               %8.1f ms, of it the window's thread %.1f ms\n",
                ms(median(showingCpu)), ms(median(windowCpu)));
    std::printf("  then writing the cache            %8.1f ms more, in the background\n", ms(median(written)));
    std::printf("same page shown again               %8.1f ms\n", ms(median(sameAll)));
    std::printf("second showing, new page, from the cache:\n");
    std::printf("  first thumbnails painted          %8.1f ms\n", ms(median(cachedFirst)));
    std::printf("  all shown                         %8.1f ms   (target < 500 ms)\n", ms(median(cachedAll)));
    std::printf("  longest block of the window       %8.1f ms\n", ms(median(cachedBlock)));
    return 0;
}
