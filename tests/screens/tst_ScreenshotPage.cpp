// SPDX-License-Identifier: MIT
#include "game/GameInstallation.h"
#include "screens/ScreenshotModel.h"
#include "screens/ScreenshotPage.h"
#include "screens/ThumbnailNames.h"
#include "support/ScriptedPrompter.h"
#include "support/TestBitmaps.h"
#include "support/TestFolders.h"

#include <QAbstractItemModelTester>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QListView>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <fcntl.h>
#include <unistd.h>

namespace {

QByteArray solid(QRgb colour, int width = 64, int height = 48)
{
    return testbitmaps::rgb24(width, height, [colour](int, int) { return quint32(colour) & 0xFFFFFFu; });
}

class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

} // namespace

class TestScreenshotPage : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestFolders> m_folders;
    std::unique_ptr<QTemporaryDir> m_cache;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    GameInstallation m_game;
    std::unique_ptr<ScreenshotPage> m_page;

    ScreenshotModel& model() const { return m_page->model(); }

    // Shows the page's current listing and waits for every thumbnail of it.
    void showAndWait()
    {
        QSignalSpy finished(m_page.get(), &ScreenshotPage::loadingFinished);
        m_page->TabSheet3Show();
        QVERIFY(finished.wait(10000));
        QVERIFY(!m_page->isLoading());
    }

    // New thumbnails reach the cache after all are shown.
    void waitForCache()
    {
        QVERIFY(m_page->loader().waitForDone(10000));
        QCOMPARE(m_page->loader().unwrittenCount(), 0);
    }

    QStringList names() const
    {
        QStringList out;
        for (int row = 0; row < model().rowCount(); ++row)
            out << model().item(row).file.name;
        return out;
    }

    ScreenshotModel::State state(int row) const { return model().item(row).state; }
    QRgb centre(int row) const
    {
        const QImage& image = model().item(row).thumbnail;
        return image.pixel(image.width() / 2, image.height() / 2);
    }
    static QRgb centreOfFile(const QString& path)
    {
        const QImage image(path);
        return image.pixel(image.width() / 2, image.height() / 2);
    }
    QString cachePath(const QString& gameFile) const
    {
        return thumbnailnames::normalPath(thumbnailnames::cacheRoot(),
                                          thumbnailnames::uriFor(QFile::encodeName(gameFile)));
    }
    std::unique_ptr<ScreenshotPage> newPage() { return std::make_unique<ScreenshotPage>(*m_prompter, m_game); }

private slots:
    void init()
    {
        m_folders = std::make_unique<TestFolders>();
        m_cache = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_cache->path()));
        m_prompter = std::make_unique<ScriptedPrompter>();
        m_game.setFolder(m_folders->gameFolder());
        m_page = newPage();
    }

    void cleanup() { m_page.reset(); }

    void theDemoScreenshotsShowAsThumbnails()
    {
        QAbstractItemModelTester tester(&model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(!m_page->ImgLvSS()->isEnabled());
        showAndWait();
        QVERIFY(m_page->ImgLvSS()->isEnabled());
        waitForCache();
        QCOMPARE(names(), (QStringList{QStringLiteral("shot0000.bmp"), QStringLiteral("shot0001.bmp"),
                                       QStringLiteral("shot0002.bmp")}));
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(state(row), ScreenshotModel::State::Ready);
            QCOMPARE(centre(row), centreOfFile(m_folders->game(names().at(row))));
            QVERIFY(QFile::exists(cachePath(m_folders->game(names().at(row)))));
        }
    }

    void aVanishedGameFolderShowsNothing()
    {
        showAndWait();
        m_game.setFolder(m_folders->path(QStringLiteral("removed")));
        showAndWait();
        QCOMPARE(model().rowCount(), 0);
    }

    void anotherGameFolderIsListedAtTheNextShowing()
    {
        showAndWait();
        const QString other = m_folders->path(QStringLiteral("other"));
        TestFolders::writeFile(other + QStringLiteral("/SHOT0100.BMP"), solid(qRgb(0, 0, 255)));
        TestFolders::writeFile(other + QStringLiteral("/readme.txt"), QByteArrayLiteral("x"));
        m_game.setFolder(other);
        QCOMPARE(m_page->folder(), m_folders->gameFolder()); // nothing changes until the page shows again
        showAndWait();
        QCOMPARE(m_page->folder(), other);
        QCOMPARE(names(), QStringList{QStringLiteral("SHOT0100.BMP")});
        QCOMPARE(centre(0), qRgb(0, 0, 255));
        // A page in view follows a change at once.
        m_page->show();
        m_game.setFolder(m_folders->gameFolder());
        QCOMPARE(m_page->folder(), m_folders->gameFolder());
    }

    void unreadableScreenshotsShowAPlaceholder()
    {
        const QByteArray good = solid(qRgb(255, 0, 0));
        TestFolders::writeFile(m_folders->game(QStringLiteral("a_empty.bmp")), {});
        TestFolders::writeFile(m_folders->game(QStringLiteral("b_cut.bmp")), good.left(good.size() / 2));
        m_page->resize(400, 300);
        m_page->show();
        showAndWait();
        QCOMPARE(model().rowCount(), 5);
        for (int row : {0, 1}) {
            QCOMPARE(state(row), ScreenshotModel::State::Failed);
            const QString tip = model().data(model().index(row), Qt::ToolTipRole).toString();
            QVERIFY2(tip.contains(model().item(row).file.name) && tip.contains(QLatin1Char('\n')), qPrintable(tip));
        }
        QCOMPARE(state(2), ScreenshotModel::State::Ready);
        // Placeholders and thumbnails paint side by side.
        QVERIFY(!m_page->ImgLvSS()->viewport()->grab().isNull());
    }

    void aCachedThumbnailIsReusedAndRenewedWhenTheFileChanges()
    {
        showAndWait();
        waitForCache();
        const QString shot = m_folders->game(QStringLiteral("shot0001.bmp"));
        const qint64 firstStamp = model().item(1).thumbnail.cacheKey();
        // Shown again unchanged: nothing is made anew.
        showAndWait();
        QCOMPARE(model().item(1).thumbnail.cacheKey(), firstStamp);

        // A new page finds the cached thumbnail: paint it over, keeping its notes, and it shows.
        QImage cached = QImageReader(cachePath(shot), "png").read();
        QVERIFY(!cached.isNull());
        cached.fill(qRgb(1, 2, 3));
        QVERIFY(cached.save(cachePath(shot), "png"));
        m_page = newPage();
        showAndWait();
        QCOMPARE(centre(1), qRgb(1, 2, 3));

        // The screenshot changes: the thumbnail is made again, and the cache renewed.
        TestFolders::writeFile(shot, solid(qRgb(0, 255, 0)));
        QFile file(shot);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QDateTime later = QDateTime::currentDateTime().addSecs(60);
        QVERIFY(file.setFileTime(later, QFileDevice::FileModificationTime));
        file.close();
        showAndWait();
        QCOMPARE(centre(1), qRgb(0, 255, 0));
        waitForCache();
        const QImage renewed = QImageReader(cachePath(shot), "png").read();
        QCOMPARE(renewed.text(QStringLiteral("Thumb::MTime")), QString::number(later.toSecsSinceEpoch()));
    }

    void thumbnailsNotYetCachedAreWrittenAfterAnotherShowing()
    {
        // Shown again the moment the first showing is complete, before its thumbnails are written.
        QSignalSpy finished(m_page.get(), &ScreenshotPage::loadingFinished);
        connect(m_page.get(), &ScreenshotPage::loadingFinished, this, [this] {
            if (m_page->folder() == m_folders->gameFolder() && m_game.folder() == m_folders->gameFolder()) {
                m_game.setFolder(m_folders->path(QStringLiteral("elsewhere")));
                m_page->TabSheet3Show();
            }
        });
        m_page->TabSheet3Show();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 2, 10000);
        waitForCache();
        for (const QString& name : {QStringLiteral("shot0000.bmp"), QStringLiteral("shot0001.bmp")})
            QVERIFY(QFile::exists(cachePath(m_folders->game(name))));
    }

    void theNewestListingWins_data()
    {
        QTest::addColumn<bool>("decoding");
        QTest::newRow("while listing") << false;
        QTest::newRow("while making thumbnails") << true;
    }

    void theNewestListingWins()
    {
        QFETCH(bool, decoding);
        const QString many = m_folders->path(QStringLiteral("many"));
        const QByteArray bytes = solid(qRgb(200, 200, 0), 320, 240);
        for (int i = 0; i < 300; ++i)
            TestFolders::writeFile(many + QStringLiteral("/s%1.bmp").arg(i, 4, 10, QLatin1Char('0')), bytes);
        m_game.setFolder(many);
        m_page->TabSheet3Show();
        if (decoding)
            QTRY_VERIFY_WITH_TIMEOUT(model().readyCount() > 0, 10000);
        m_game.setFolder(m_folders->gameFolder());
        showAndWait();
        QVERIFY(m_page->loader().waitForDone(10000));
        QCoreApplication::processEvents(); // whatever the older listing still sent arrives now
        QCOMPARE(names(), (QStringList{QStringLiteral("shot0000.bmp"), QStringLiteral("shot0001.bmp"),
                                       QStringLiteral("shot0002.bmp")}));
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(state(row), ScreenshotModel::State::Ready);
            QCOMPARE(centre(row), centreOfFile(m_folders->game(names().at(row))));
        }
    }

    void screenshotsRemovedWhileLoadingFailQuietly()
    {
        const QString shots = m_folders->path(QStringLiteral("shots"));
        for (int i = 0; i < 40; ++i)
            TestFolders::writeFile(shots + QStringLiteral("/s%1.bmp").arg(i), solid(qRgb(9, 9, 9)));
        m_game.setFolder(shots);
        // The listing arrives; before any thumbnail is made, the files go.
        connect(&model(), &QAbstractItemModel::modelReset, this, [shots] { QVERIFY(QDir(shots).removeRecursively()); });
        showAndWait();
        QCOMPARE(model().rowCount(), 40);
        QCOMPARE(model().readyCount(), 0);
        for (int row = 0; row < 40; ++row)
            QVERIFY(!model().item(row).error.isEmpty());
        // A vanished file is no damaged file: nothing is noted in the cache against it.
        QVERIFY(!QDir(thumbnailnames::cacheRoot() + QStringLiteral("/fail")).exists());
        QVERIFY(m_prompter->asked.isEmpty());
    }

    void aNameInCodePage932IsShownAndCached()
    {
        const QByteArray raw = QFile::encodeName(m_game.folder()) + QByteArrayLiteral("/\x95\x5c.bmp");
        const QByteArray bytes = solid(qRgb(0, 128, 255));
        const int fd = ::open(raw.constData(), O_CREAT | O_WRONLY, 0644);
        QVERIFY(fd >= 0);
        QCOMPARE(::write(fd, bytes.constData(), std::size_t(bytes.size())), ssize_t(bytes.size()));
        ::close(fd);
        showAndWait();
        QCOMPARE(names().last(), QStringLiteral("表.bmp"));
        QCOMPARE(state(3), ScreenshotModel::State::Ready);
        QCOMPARE(centre(3), qRgb(0, 128, 255));
        waitForCache();
        const QByteArray uri = thumbnailnames::uriFor(raw);
        QVERIFY(uri.endsWith("/%95%5C.bmp"));
        QVERIFY(QFile::exists(thumbnailnames::normalPath(thumbnailnames::cacheRoot(), uri)));
    }

    void aDoubleClickOpensTheScreenshot()
    {
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
        const auto unset = qScopeGuard([] { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); });
        m_page->resize(400, 300);
        m_page->show();
        showAndWait();
        QListView* view = m_page->ImgLvSS();
        QTRY_VERIFY(view->visualRect(model().index(2)).isValid());
        // As a user's double-click arrives: a click, then the second press as a double-click.
        const auto doubleClick = [&](int row) {
            const QPoint at = view->visualRect(model().index(row)).center();
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        };
        doubleClick(1);
        QCOMPARE(recorder.urls, QList<QUrl>{QUrl::fromLocalFile(m_folders->game(QStringLiteral("shot0001.bmp")))});

        // Gone since it was listed: said so, and nothing is opened.
        QVERIFY(QFile::remove(m_folders->game(QStringLiteral("shot0002.bmp"))));
        doubleClick(2);
        QCOMPARE(recorder.urls.size(), 1);
        QCOMPARE(m_prompter->asked.size(), 1);
        QVERIFY(m_prompter->asked.first().text.contains(QStringLiteral("shot0002.bmp")));
    }

    void showingTheTabListsTheFolder()
    {
        QTabWidget tabs;
        tabs.addTab(new QWidget, QStringLiteral("ホスト"));
        ScreenshotPage* page = m_page.release();
        tabs.addTab(page, QStringLiteral("SSビュー"));
        m_page.reset(page);
        tabs.show();
        QVERIFY(!page->isLoading());
        QSignalSpy finished(page, &ScreenshotPage::loadingFinished);
        tabs.setCurrentWidget(page);
        QVERIFY(page->ImgLvSS()->isEnabled());
        QVERIFY(finished.wait(10000));
        QCOMPARE(model().rowCount(), 3);
        m_page.release(); // the tab widget owns it now
    }
};

QTEST_MAIN(TestScreenshotPage)
#include "tst_ScreenshotPage.moc"
