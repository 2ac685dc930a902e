// SPDX-License-Identifier: MIT
#include "support/LoopbackHttpServer.h"

#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <condition_variable>
#include <mutex>
#include <thread>

struct LoopbackHttpServer::Impl
{
    httplib::Server server;
    std::thread thread;
    int port = -1;

    mutable std::mutex mutex;
    std::condition_variable released;
    bool releasing = false;
    bool stopping = false;
    int held = 0;
    QByteArray releaseBody;
    QList<Request> requests;

    void record(const httplib::Request& req)
    {
        Request r;
        r.path = QByteArray::fromStdString(req.path);
        for (const auto& [name, value] : req.headers)
            r.headers.append({QByteArray::fromStdString(name), QByteArray::fromStdString(value)});
        std::lock_guard lock(mutex);
        requests.append(r);
    }
};

QByteArray LoopbackHttpServer::Request::header(const QByteArray& name) const
{
    for (const auto& [n, v] : headers) {
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return v;
    }
    return {};
}

LoopbackHttpServer::LoopbackHttpServer() : d(std::make_unique<Impl>())
{
    d->server.set_keep_alive_max_count(1);
    d->port = d->server.bind_to_any_port("127.0.0.1");
    if (d->port <= 0)
        return;
    d->thread = std::thread([this] { d->server.listen_after_bind(); });
    // A stop() before the accept loop runs would be missed and leave the thread serving for ever.
    for (int i = 0; i < 5000 && !d->server.is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    {
        std::lock_guard lock(d->mutex);
        d->stopping = true;
    }
    d->released.notify_all();
    d->server.stop();
    if (d->thread.joinable())
        d->thread.join();
}

bool LoopbackHttpServer::isListening() const { return d->port > 0; }

int LoopbackHttpServer::port() const { return d->port; }

QByteArray LoopbackHttpServer::url(const QByteArray& path) const
{
    return QByteArrayLiteral("http://127.0.0.1:") + QByteArray::number(d->port) + path;
}

void LoopbackHttpServer::serve(const QByteArray& path, const QByteArray& body, int status,
                               const QByteArray& contentType, bool chunked)
{
    Impl* impl = d.get();
    impl->server.Get(path.toStdString(), [impl, body, status, contentType, chunked](const httplib::Request& req,
                                                                                    httplib::Response& res) {
        impl->record(req);
        res.status = status;
        if (!chunked) {
            res.set_content(body.toStdString(), contentType.toStdString());
            return;
        }
        res.set_chunked_content_provider(contentType.toStdString(), [body](size_t offset, httplib::DataSink& sink) {
            constexpr size_t Piece = 16 * 1024;
            const auto size = static_cast<size_t>(body.size());
            if (offset >= size) {
                sink.done();
                return true;
            }
            const size_t n = std::min(Piece, size - offset);
            return sink.write(body.constData() + offset, n);
        });
    });
}

void LoopbackHttpServer::redirect(const QByteArray& path, const QByteArray& toPath)
{
    Impl* impl = d.get();
    const std::string target = url(toPath).toStdString();
    impl->server.Get(path.toStdString(), [impl, target](const httplib::Request& req, httplib::Response& res) {
        impl->record(req);
        res.set_redirect(target);
    });
}

void LoopbackHttpServer::hold(const QByteArray& path)
{
    Impl* impl = d.get();
    impl->server.Get(path.toStdString(), [impl](const httplib::Request& req, httplib::Response& res) {
        impl->record(req);
        std::unique_lock lock(impl->mutex);
        ++impl->held;
        impl->released.wait(lock, [impl] { return impl->releasing || impl->stopping; });
        --impl->held;
        res.set_content(impl->releaseBody.toStdString(), "text/plain");
    });
}

void LoopbackHttpServer::release(const QByteArray& body)
{
    {
        std::lock_guard lock(d->mutex);
        d->releasing = true;
        d->releaseBody = body;
    }
    d->released.notify_all();
}

int LoopbackHttpServer::heldCount() const
{
    std::lock_guard lock(d->mutex);
    return d->held;
}

QList<LoopbackHttpServer::Request> LoopbackHttpServer::requests() const
{
    std::lock_guard lock(d->mutex);
    return d->requests;
}

int LoopbackHttpServer::unusedPort()
{
    // Bound and closed again: nothing listens there afterwards, so a connection is refused.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return -1;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof addr;
    int port = -1;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
        port = ntohs(addr.sin_port);
    ::close(fd);
    return port;
}
