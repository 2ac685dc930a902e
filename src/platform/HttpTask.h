// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>

class HttpBackend;

// One plain GET into memory. Every request is bounded: a server that does not answer, answers
// slowly or floods us must neither hang the program nor exhaust memory.
struct HttpRequest
{
    static constexpr int DefaultConnectTimeoutMs = 10'000;
    static constexpr int DefaultTotalTimeoutMs = 30'000;
    static constexpr qint64 DefaultMaxBodyBytes = 1 << 20;

    QByteArray url;
    QList<QByteArray> headers; // each "Name: value"
    int connectTimeoutMs = DefaultConnectTimeoutMs;
    int totalTimeoutMs = DefaultTotalTimeoutMs;
    qint64 maxBodyBytes = DefaultMaxBodyBytes;
};

// Runs one GET at a time without making anyone wait: start() returns at once and finished()
// reports the end, on the thread that started it. Only http and https are fetched, redirects
// included but never from https to http; TLS certificates are verified. A failure's text names the
// reason (an error status with its number). The transfer itself is done by the module morvane_http
// (platform/Module.h), loaded by the first start(): a missing or broken module fails the request
// with a text that names it.
class HttpTask : public QObject
{
    Q_OBJECT
public:
    explicit HttpTask(QObject* parent = nullptr);
    // A transfer still running is abandoned at once, whatever the name look-up is doing.
    ~HttpTask() override;

    // Starts the request, abandoning one still running (which then reports nothing).
    void start(const HttpRequest& request);
    // Abandons the running request at once; finished() is not emitted for it.
    void cancel();

    bool isRunning() const { return m_running; }
    // After finished(): whether it failed, the failure's text, and the body.
    bool failed() const { return m_error.has_value(); }
    QString errorText() const { return m_error.value_or(QString()); }
    const QByteArray& body() const { return m_body; }

    // A request abandoned while its server's name was being looked up leaves the look-up running,
    // and nothing can interrupt it; Qt's clean-up at the program's end would wait for it, up to a
    // minute. Called last in main, with everything written: ends the process at once with code in
    // that case, and returns otherwise.
    static void endProgramIfLookUpsRun(int code);

    // For tests: while one lives, every request uses these time-outs instead of its own, so that a
    // server that never answers can be tried without waiting half a minute.
    class TimeoutOverride
    {
    public:
        TimeoutOverride(int connectTimeoutMs, int totalTimeoutMs);
        ~TimeoutOverride();
        TimeoutOverride(const TimeoutOverride&) = delete;
        TimeoutOverride& operator=(const TimeoutOverride&) = delete;

    private:
        int m_oldConnect;
        int m_oldTotal;
    };

signals:
    void finished();

private:
    std::unique_ptr<HttpBackend> m_backend; // made by the module on the first start()
    QTimer m_loadFailure;                   // reports a module that could not be loaded
    QByteArray m_body;
    std::optional<QString> m_error;
    bool m_running = false;
};
