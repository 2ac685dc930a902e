// SPDX-License-Identifier: MIT
#pragma once

#include "platform/HttpTask.h"

#include <functional>
#include <memory>
#include <optional>

// What the module morvane_http does for HttpTask, the only code that links Qt Network: the request
// itself, its time-outs, caps and failure texts.
class HttpBackend
{
public:
    // The failure's text or none, and the body received.
    using Done = std::function<void(std::optional<QString> error, QByteArray body)>;

    // A transfer still running is abandoned at once.
    virtual ~HttpBackend() = default;

    // Starts request with its time-outs as given, abandoning one still running. done is called once,
    // after start() has returned and on the same thread, unless cancel() or the end of the backend
    // comes first; it is the backend's last act for the request, so it may start the next one.
    virtual void start(const HttpRequest& request, Done done) = 0;
    virtual void cancel() = 0;
};

// The module's one instance, returned by its function "morvane_http_module".
class HttpModule
{
public:
    virtual std::unique_ptr<HttpBackend> makeBackend() = 0;
    // Whether a request was abandoned during its name look-up, which may still be running.
    virtual bool lookUpsMayRun() const = 0;

protected:
    ~HttpModule() = default;
};
