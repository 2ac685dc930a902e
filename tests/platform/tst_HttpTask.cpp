// SPDX-License-Identifier: MIT
#include "platform/HttpTask.h"
#include "support/LoopbackHttpServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>

#include <memory>
#include <optional>

namespace {

// A name whose look-up hangs for a minute (support/HangingResolver.cpp).
const QByteArray HangingName = "http://never.hang.invalid/hostlist.txt";

HttpRequest requestFor(const QByteArray& url, qint64 cap = HttpRequest::DefaultMaxBodyBytes)
{
    HttpRequest r;
    r.url = url;
    r.maxBodyBytes = cap;
    return r;
}

// Runs the request to its end: the failure's text, or a null string when it succeeded.
QString failureOf(const HttpRequest& request, QByteArray* body = nullptr)
{
    HttpTask task;
    QSignalSpy done(&task, &HttpTask::finished);
    task.start(request);
    if (!done.wait(20'000))
        return QStringLiteral("(no end)");
    if (body)
        *body = task.body();
    return task.failed() ? task.errorText() : QString();
}

} // namespace

class TestHttpTask : public QObject
{
    Q_OBJECT
private slots:
    void bodyArrivesByteForByte_data();
    void bodyArrivesByteForByte();
    void failuresCarryTheirReason_data();
    void failuresCarryTheirReason();
    void headersAreSent();
    void redirectsAreFollowed();
    void aCancelEndsAtOnce_data();
    void aCancelEndsAtOnce();
    void theProgramEndsDuringAHangingLookUp();
    void aMissingModuleFailsTheRequest();
};

void TestHttpTask::bodyArrivesByteForByte_data()
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

void TestHttpTask::bodyArrivesByteForByte()
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

void TestHttpTask::failuresCarryTheirReason_data()
{
    QTest::addColumn<QByteArray>("url");   // a path of the loopback server, or a whole URL
    QTest::addColumn<int>("limitMs");      // both time-outs shortened to this, or 0 for the defaults
    QTest::addColumn<QString>("expected"); // a part of the text
    QTest::newRow("404") << QByteArrayLiteral("/missing") << 0 << QStringLiteral("404");
    QTest::newRow("500") << QByteArrayLiteral("/broken") << 0 << QStringLiteral("500");
    QTest::newRow("over the cap") << QByteArrayLiteral("/large") << 0 << QStringLiteral("65536");
    QTest::newRow("over the cap, chunked") << QByteArrayLiteral("/flood") << 0 << QStringLiteral("65536");
    QTest::newRow("refused") << QByteArrayLiteral("refused") << 0 << QStringLiteral("127.0.0.1:");
    // The loopback connection is made at once, so only the total limit can end it.
    QTest::newRow("never answers") << QByteArrayLiteral("/hang") << 3000 << QStringLiteral("受信が終わりませんでした");
    QTest::newRow("look-up hangs") << HangingName << 1000 << QStringLiteral("接続できませんでした");
    QTest::newRow("file") << QByteArrayLiteral("file:///etc/hostname") << 0 << QStringLiteral("file:///etc/hostname");
    QTest::newRow("no URL") << QByteArray() << 0 << QStringLiteral("URL");
}

void TestHttpTask::failuresCarryTheirReason()
{
    QFETCH(QByteArray, url);
    QFETCH(int, limitMs);
    QFETCH(QString, expected);
    LoopbackHttpServer server;
    server.serve("/broken", "<html>Internal Server Error</html>", 500, "text/html");
    server.serve("/large", QByteArray(65537, 'a'));
    server.serve("/flood", QByteArray(300000, 'b'), 200, "text/plain", true);
    server.hold("/hang");
    if (url == "refused")
        url = "http://127.0.0.1:" + QByteArray::number(LoopbackHttpServer::unusedPort()) + "/hostlist.txt";
    else if (url.startsWith('/'))
        url = server.url(url);
    std::optional<HttpTask::TimeoutOverride> shortWait;
    if (limitMs > 0)
        shortWait.emplace(limitMs, limitMs);
    const QString text = failureOf(requestFor(url, 65536));
    QVERIFY2(text.contains(expected), qPrintable(text));
}

void TestHttpTask::headersAreSent()
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

void TestHttpTask::redirectsAreFollowed()
{
    LoopbackHttpServer server;
    server.serve("/new", "moved here");
    server.redirect("/old", "/new");
    QByteArray body;
    QCOMPARE(failureOf(requestFor(server.url("/old")), &body), QString());
    QCOMPARE(body, QByteArrayLiteral("moved here"));
}

void TestHttpTask::aCancelEndsAtOnce_data()
{
    QTest::addColumn<bool>("hangingLookUp");
    QTest::newRow("server holds the request") << false;
    QTest::newRow("name look-up hangs") << true;
}

void TestHttpTask::aCancelEndsAtOnce()
{
    QFETCH(bool, hangingLookUp);
    LoopbackHttpServer server;
    server.hold("/hang");
    server.serve("/a", "after");
    HttpTask task;
    QSignalSpy done(&task, &HttpTask::finished);
    task.start(requestFor(hangingLookUp ? HangingName : server.url("/hang")));
    if (hangingLookUp)
        QTest::qWait(200);
    else
        QTRY_COMPARE(server.heldCount(), 1);
    task.cancel();
    QVERIFY(!task.isRunning());
    // The next request goes through at once, and the abandoned one never reports.
    task.start(requestFor(server.url("/a")));
    QVERIFY(done.wait(10'000));
    QCOMPARE(done.count(), 1);
    QCOMPARE(task.body(), QByteArrayLiteral("after"));
}

void TestHttpTask::theProgramEndsDuringAHangingLookUp()
{
    // This program again, fetching from a name whose look-up hangs and ending meanwhile (see main).
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MORVANE_END_DURING_FETCH"), QString::fromLatin1(HangingName));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), QStringList());
    // Far less than the minute the look-up takes.
    const bool ended = child.waitForFinished(15'000);
    if (!ended)
        child.kill();
    QVERIFY2(ended, "the program waited for the name look-up");
    QCOMPARE(child.exitCode(), 0);
}

void TestHttpTask::aMissingModuleFailsTheRequest()
{
    // This program again, in a process that finds no HTTP module (see main).
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MORVANE_MODULE_DIR"), empty.path());
    env.insert(QStringLiteral("MORVANE_FETCH_ONCE"), QStringLiteral("http://127.0.0.1:1/hostlist.txt"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), QStringList());
    QVERIFY(child.waitForFinished(15'000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    const QString text = QString::fromUtf8(child.readAllStandardOutput());
    QVERIFY2(text.contains(QStringLiteral("部品 morvane_http を読み込めません")), qPrintable(text));
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int code = 0;
    if (const QByteArray url = qgetenv("MORVANE_END_DURING_FETCH"); !url.isEmpty()) {
        // As the program ends: its windows, and with them the request, go first.
        auto task = std::make_unique<HttpTask>();
        task->start(requestFor(url));
        QTimer::singleShot(300, &app, &QCoreApplication::quit);
        code = app.exec();
    } else if (const QByteArray url = qgetenv("MORVANE_FETCH_ONCE"); !url.isEmpty()) {
        // One request to its end; its failure's text on the output.
        HttpTask task;
        QObject::connect(&task, &HttpTask::finished, &app, &QCoreApplication::quit);
        task.start(requestFor(url));
        code = app.exec();
        std::fputs(task.failed() ? task.errorText().toUtf8().constData() : "(no failure)", stdout);
    } else {
        TestHttpTask test;
        code = QTest::qExec(&test, argc, argv);
    }
    HttpTask::endProgramIfLookUpsRun(code);
    return code;
}

#include "tst_HttpTask.moc"
