// SPDX-License-Identifier: MIT
#include "platform/HttpTask.h"

#include <QCoreApplication>

#include "platform/Errors.h"
#include "platform/HttpBackend.h"
#include "platform/Module.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

std::atomic<int> overrideConnectMs{0};
std::atomic<int> overrideTotalMs{0};
// Set once the module is loaded; the program's end asks it only then.
std::atomic<HttpModule*> loadedModule{nullptr};

// Loads the module on the first request: a session that never fetches never maps Qt Network. A
// module that could not be loaded is looked for again by the next request.
HttpModule& httpModule()
{
    static std::mutex loading;
    const std::lock_guard lock(loading);
    if (HttpModule* module = loadedModule.load())
        return *module;
    using Get = HttpModule* (*)();
    const auto get = reinterpret_cast<Get>(
        loadModuleEntry(QStringLiteral("morvane_http"), "morvane_http_module",
                        QCoreApplication::translate("HttpTask", "HTTP で通信する部品 %1 を読み込めません。\n%2")));
    HttpModule* module = get();
    loadedModule = module;
    return *module;
}

} // namespace

HttpTask::HttpTask(QObject* parent) : QObject(parent)
{
    m_loadFailure.setSingleShot(true);
    connect(&m_loadFailure, &QTimer::timeout, this, [this] {
        m_running = false;
        emit finished();
    });
}

HttpTask::~HttpTask() { cancel(); }

void HttpTask::start(const HttpRequest& request)
{
    cancel();
    m_body.clear();
    m_error.reset();
    m_running = true;
    try {
        if (!m_backend)
            m_backend = httpModule().makeBackend();
    } catch (const UserError& e) {
        // Reported like any other failure, after start() has returned.
        m_error = e.text();
        m_loadFailure.start(0);
        return;
    }
    HttpRequest r = request;
    if (const int ms = overrideConnectMs.load(); ms > 0)
        r.connectTimeoutMs = ms;
    if (const int ms = overrideTotalMs.load(); ms > 0)
        r.totalTimeoutMs = ms;
    m_backend->start(r, [this](std::optional<QString> error, QByteArray body) {
        m_error = std::move(error);
        m_body = std::move(body);
        m_running = false;
        emit finished();
    });
}

void HttpTask::cancel()
{
    m_loadFailure.stop();
    if (m_backend)
        m_backend->cancel();
    m_running = false;
}

void HttpTask::endProgramIfLookUpsRun(int code)
{
    const HttpModule* module = loadedModule.load();
    if (!module || !module->lookUpsMayRun())
        return;
    std::fflush(nullptr);
    std::_Exit(code);
}

HttpTask::TimeoutOverride::TimeoutOverride(int connectTimeoutMs, int totalTimeoutMs)
    : m_oldConnect(overrideConnectMs.exchange(connectTimeoutMs)), m_oldTotal(overrideTotalMs.exchange(totalTimeoutMs))
{
}

HttpTask::TimeoutOverride::~TimeoutOverride()
{
    overrideConnectMs.store(m_oldConnect);
    overrideTotalMs.store(m_oldTotal);
}
