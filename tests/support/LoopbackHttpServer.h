// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>

#include <memory>

// A real HTTP server on 127.0.0.1, on a free port, serving prepared answers from a thread of its
// own for as long as the object lives. Paths not prepared answer 404.
class LoopbackHttpServer
{
public:
    struct Request
    {
        QByteArray path;
        QList<std::pair<QByteArray, QByteArray>> headers; // as received, names in their own case

        // The first value of a header, its name compared without regard to case; empty when absent.
        QByteArray header(const QByteArray& name) const;
    };

    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    bool isListening() const;
    int port() const;
    // "http://127.0.0.1:<port>" followed by path.
    QByteArray url(const QByteArray& path) const;

    // Answers GET path with this status and body. A chunked answer carries no length, so the
    // client learns the size only while it reads.
    void serve(const QByteArray& path, const QByteArray& body, int status = 200,
               const QByteArray& contentType = QByteArrayLiteral("text/plain"), bool chunked = false);
    // Answers GET path with a redirect to another path of this server.
    void redirect(const QByteArray& path, const QByteArray& toPath);
    // Accepts GET path and does not answer until release() is called or the server stops.
    void hold(const QByteArray& path);
    // Lets the held requests answer with this body.
    void release(const QByteArray& body = {});
    // How many held requests are waiting now.
    int heldCount() const;

    // Every request served so far, oldest first.
    QList<Request> requests() const;

    // A loopback port that nothing listens on (a request to it is refused).
    static int unusedPort();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
