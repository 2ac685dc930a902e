// SPDX-License-Identifier: MIT
#include "platform/Errors.h"
#include "platform/HttpClient.h"
#include "support/LoopbackHttpServer.h"

#include <QElapsedTimer>
#include <QTest>

#include <thread>

namespace {

// The failure's text, or a null string when the request succeeded.
QString failureOf(const HttpRequest& request, QByteArray* body = nullptr, const std::atomic_bool* cancel = nullptr)
{
    try {
        const QByteArray got = http::get(request, cancel);
        if (body)
            *body = got;
        return {};
    } catch (const UserError& e) {
        return e.text().isNull() ? QStringLiteral("(no text)") : e.text();
    }
}

HttpRequest requestFor(const QByteArray& url, qint64 cap = HttpRequest::DefaultMaxBodyBytes)
{
    HttpRequest r;
    r.url = url;
    r.maxBodyBytes = cap;
    return r;
}

} // namespace

class TestHttpClient : public QObject
{
    Q_OBJECT
private slots:
    void bodyArrivesByteForByte_data();
    void bodyArrivesByteForByte();
    void failuresCarryTheClientText_data();
    void failuresCarryTheClientText();
    void headersAreSent();
    void aServerThatNeverAnswersTimesOut();
    void aRefusedConnectionFailsAtOnce();
    void otherSchemesAreNotFetched();
    void aCancelEndsTheTransfer();
    void redirectsAreFollowed();
};

void TestHttpClient::bodyArrivesByteForByte_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("chunked");
    QTest::addColumn<qint64>("cap");
    QTest::newRow("text") << QByteArrayLiteral("[HostList]\r\nHostname:1=a\r\n") << false << qint64(1024);
    QTest::newRow("empty") << QByteArray() << false << qint64(1024);
    QTest::newRow("binary") << QByteArray("\x00\x82\xa0\x5c\xff\r\n\x1a", 8) << false << qint64(1024);
    QTest::newRow("exactly the cap") << QByteArray(4096, 'x') << false << qint64(4096);
    QTest::newRow("exactly the cap, chunked") << QByteArray(40000, 'y') << true << qint64(40000);
}

void TestHttpClient::bodyArrivesByteForByte()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, chunked);
    QFETCH(qint64, cap);
    LoopbackHttpServer server;
    QVERIFY(server.isListening());
    server.serve("/list", body, 200, "text/plain", chunked);
    QByteArray got("unchanged");
    QCOMPARE(failureOf(requestFor(server.url("/list"), cap), &got), QString());
    QCOMPARE(got, body);
}

void TestHttpClient::failuresCarryTheClientText_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QString>("expected"); // a part of the text
    QTest::newRow("404") << QByteArrayLiteral("/missing") << QStringLiteral("404");
    QTest::newRow("500") << QByteArrayLiteral("/broken") << QStringLiteral("500");
    QTest::newRow("over the cap") << QByteArrayLiteral("/large") << QStringLiteral("65536");
    QTest::newRow("over the cap, chunked") << QByteArrayLiteral("/flood") << QStringLiteral("65536");
}

void TestHttpClient::failuresCarryTheClientText()
{
    QFETCH(QByteArray, path);
    QFETCH(QString, expected);
    LoopbackHttpServer server;
    server.serve("/broken", "<html>Internal Server Error</html>", 500, "text/html");
    server.serve("/large", QByteArray(65537, 'a'));
    server.serve("/flood", QByteArray(300000, 'b'), 200, "text/plain", true);
    const QString text = failureOf(requestFor(server.url(path), 65536));
    QVERIFY2(text.contains(expected), qPrintable(text));
}

void TestHttpClient::headersAreSent()
{
    LoopbackHttpServer server;
    server.serve("/a", "x");
    HttpRequest r = requestFor(server.url("/a"));
    r.headers << QByteArrayLiteral("Cache-control: no-cache");
    QCOMPARE(failureOf(r), QString());
    QCOMPARE(failureOf(requestFor(server.url("/a"))), QString());
    const QList<LoopbackHttpServer::Request> seen = server.requests();
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen[0].header("Cache-Control"), QByteArrayLiteral("no-cache"));
    QCOMPARE(seen[1].header("Cache-Control"), QByteArray());
}

void TestHttpClient::aServerThatNeverAnswersTimesOut()
{
    LoopbackHttpServer server;
    server.hold("/hang");
    const http::TimeoutOverride shortWait(200, 400);
    QElapsedTimer clock;
    clock.start();
    const QString text = failureOf(requestFor(server.url("/hang")));
    QVERIFY2(text.contains(QStringLiteral("timed out"), Qt::CaseInsensitive), qPrintable(text));
    // Far below the default half minute: the shortened limit is what ended it.
    QVERIFY2(clock.elapsed() < 10'000, qPrintable(QString::number(clock.elapsed())));
}

void TestHttpClient::aRefusedConnectionFailsAtOnce()
{
    const int port = LoopbackHttpServer::unusedPort();
    QVERIFY(port > 0);
    const QString text =
        failureOf(requestFor(QByteArrayLiteral("http://127.0.0.1:") + QByteArray::number(port) + "/hostlist.txt"));
    QVERIFY2(text.contains(QString::number(port)), qPrintable(text));
}

void TestHttpClient::otherSchemesAreNotFetched()
{
    QVERIFY(!failureOf(requestFor(QByteArrayLiteral("file:///etc/hostname"))).isNull());
    QVERIFY(!failureOf(requestFor(QByteArray())).isNull());
}

void TestHttpClient::aCancelEndsTheTransfer()
{
    LoopbackHttpServer server;
    server.hold("/hang");
    std::atomic_bool cancel{false};
    std::thread canceller([&] {
        // Cancel once the request is being held by the server.
        for (int i = 0; i < 500 && server.heldCount() == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        cancel = true;
    });
    QElapsedTimer clock;
    clock.start();
    const QString text = failureOf(requestFor(server.url("/hang")), nullptr, &cancel);
    canceller.join();
    QVERIFY(!text.isNull());
    QVERIFY2(clock.elapsed() < 10'000, qPrintable(QString::number(clock.elapsed())));
}

void TestHttpClient::redirectsAreFollowed()
{
    LoopbackHttpServer server;
    server.serve("/new", "moved here");
    server.redirect("/old", "/new");
    QByteArray body;
    QCOMPARE(failureOf(requestFor(server.url("/old")), &body), QString());
    QCOMPARE(body, QByteArrayLiteral("moved here"));
}

QTEST_GUILESS_MAIN(TestHttpClient)
#include "tst_HttpClient.moc"
