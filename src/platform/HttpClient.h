// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>

#include <atomic>

// One plain GET into memory. Every request is bounded: a server that does not answer, answers
// slowly or floods us must neither hang the caller nor exhaust memory.
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

namespace http {

// Blocks until the whole body is in memory. Throws UserError on failure, whose text is the HTTP
// client's own error text (it names the status of an error response, 400 and above). Only http and
// https URLs are fetched, redirects included. Setting *cancel from another thread ends the
// transfer within about a tenth of a second, with an error. Safe to call from any thread.
QByteArray get(const HttpRequest& request, const std::atomic_bool* cancel = nullptr);

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

} // namespace http
