// SPDX-License-Identifier: MIT
#include "platform/Errors.h"
#include "platform/HttpTask.h"
#include "support/LoopbackHttpServer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

namespace {

class PaintCounter : public QWidget
{
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

HttpRequest requestFor(const QByteArray& url)
{
    HttpRequest r;
    r.url = url;
    return r;
}

} // namespace

class TestHttpTask : public QObject
{
    Q_OBJECT
private slots:
    void theWindowPaintsButTakesNoInputWhileWaiting();
    void aFailureIsThrownWithTheClientText();
    void aTaskReportsWithoutWaiting();
    void aRunningTaskEndsPromptlyWhenDeleted();
};

void TestHttpTask::theWindowPaintsButTakesNoInputWhileWaiting()
{
    LoopbackHttpServer server;
    server.hold("/slow");
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* button = new QPushButton(QStringLiteral("push"), &window);
    auto* edit = new QLineEdit(&window);
    auto* canvas = new PaintCounter;
    canvas->setMinimumSize(40, 40);
    layout->addWidget(button);
    layout->addWidget(edit);
    layout->addWidget(canvas);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    edit->setFocus();
    int clicks = 0;
    connect(button, &QPushButton::clicked, this, [&] { ++clicks; });

    // Acts as the user while the request is held by the server, then lets it answer.
    int stage = 0;
    Qt::CursorShape shape = Qt::ArrowCursor;
    int paintsBefore = 0;
    int paintsDuring = 0;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        if (stage == 0 && server.heldCount() > 0) {
            shape = QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape() : Qt::ArrowCursor;
            QTest::mouseClick(button, Qt::LeftButton);
            QTest::keyClicks(edit, QStringLiteral("typed"));
            paintsBefore = canvas->paints;
            canvas->update();
            stage = 1;
        } else if (stage == 1 && canvas->paints > paintsBefore) {
            paintsDuring = canvas->paints - paintsBefore;
            stage = 2;
            server.release("answer");
        }
    });
    poll.start(10);
    // Whatever happens, the request ends.
    QTimer::singleShot(20'000, this, [&] { server.release("late"); });

    const QByteArray body = HttpTask::getWaiting(requestFor(server.url("/slow")));
    poll.stop();
    QCOMPARE(body, QByteArrayLiteral("answer"));
    QCOMPARE(shape, Qt::WaitCursor);
    QVERIFY(paintsDuring > 0);
    QCOMPARE(clicks, 0);
    QCOMPARE(edit->text(), QString());
    // Afterwards everything is as before.
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicks, 1);
}

void TestHttpTask::aFailureIsThrownWithTheClientText()
{
    const int port = LoopbackHttpServer::unusedPort();
    try {
        HttpTask::getWaiting(requestFor(QByteArrayLiteral("http://127.0.0.1:") + QByteArray::number(port) + "/"));
        QFAIL("no failure");
    } catch (const UserError& e) {
        QVERIFY2(e.text().contains(QString::number(port)), qPrintable(e.text()));
    }
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

void TestHttpTask::aTaskReportsWithoutWaiting()
{
    LoopbackHttpServer server;
    server.serve("/a", "body");
    server.serve("/b", "gone", 404);
    HttpTask good(requestFor(server.url("/a")));
    HttpTask bad(requestFor(server.url("/b")));
    QSignalSpy goodDone(&good, &HttpTask::finished);
    QSignalSpy badDone(&bad, &HttpTask::finished);
    good.start();
    bad.start();
    QVERIFY(good.isRunning());
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QVERIFY(goodDone.wait(10'000));
    QVERIFY(badDone.count() > 0 || badDone.wait(10'000));
    QVERIFY(!good.failed());
    QCOMPARE(good.body(), QByteArrayLiteral("body"));
    QVERIFY(bad.failed());
    QVERIFY2(bad.errorText().contains(QStringLiteral("404")), qPrintable(bad.errorText()));
}

void TestHttpTask::aRunningTaskEndsPromptlyWhenDeleted()
{
    LoopbackHttpServer server;
    server.hold("/hang");
    auto task = std::make_unique<HttpTask>(requestFor(server.url("/hang")));
    task->start();
    QTRY_COMPARE_WITH_TIMEOUT(server.heldCount(), 1, 10'000);
    QElapsedTimer clock;
    clock.start();
    task.reset();
    // Far from the half minute the request would otherwise be given.
    QVERIFY2(clock.elapsed() < 5'000, qPrintable(QString::number(clock.elapsed())));
}

QTEST_MAIN(TestHttpTask)
#include "tst_HttpTask.moc"
