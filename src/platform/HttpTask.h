// SPDX-License-Identifier: MIT
#pragma once

#include "platform/HttpClient.h"

#include <QObject>
#include <QString>

#include <memory>

class QThread;

// Runs one GET on a thread of its own, so that the window keeps painting while it lasts.
//
// getWaiting() is for handlers that must have the answer before they go on: the handler waits in
// a local event loop while the user's input to the program is dropped and the busy cursor shows,
// so nothing new can start meanwhile, yet the window never looks hung. start() and finished() are
// for work that must not make anyone wait, such as a fetch at start-up.
class HttpTask : public QObject
{
    Q_OBJECT
public:
    explicit HttpTask(HttpRequest request, QObject* parent = nullptr);
    // A transfer still running is cancelled, and its thread waited for (a tenth of a second at most).
    ~HttpTask() override;

    void start();
    bool isRunning() const { return m_started && !m_done; }
    // After finished(): whether it failed, the failure's text, and the body.
    bool isDone() const { return m_done; }
    bool failed() const;
    QString errorText() const;
    QByteArray body() const;

    // The body, or UserError with the failure's text. Also fails when the wait was ended from
    // outside (the program is ending).
    static QByteArray getWaiting(const HttpRequest& request);

signals:
    void finished();

private:
    struct Shared;
    HttpRequest m_request;
    std::shared_ptr<Shared> m_shared;
    QThread* m_thread = nullptr;
    bool m_started = false;
    bool m_done = false;
};
