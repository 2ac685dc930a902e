// SPDX-License-Identifier: MIT
#include "platform/HttpTask.h"

#include "platform/Errors.h"

#include <QCursor>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QThread>

#include <atomic>
#include <new>
#include <optional>

struct HttpTask::Shared
{
    std::atomic_bool cancel{false};
    QByteArray body;
    std::optional<QString> error;
};

namespace {

// Drops what the user does to any window of the program while it lives: clicks, keys, the wheel,
// the window manager's close. Painting, timers and programmatic closes go on.
class InputBlocker : public QObject
{
public:
    InputBlocker()
    {
        qApp->installEventFilter(this);
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~InputBlocker() override
    {
        QGuiApplication::restoreOverrideCursor();
        qApp->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonRelease:
        case QEvent::NonClientAreaMouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::Drop:
            return true;
        case QEvent::Close:
            return event->spontaneous();
        default:
            return QObject::eventFilter(watched, event);
        }
    }
};

} // namespace

HttpTask::HttpTask(HttpRequest request, QObject* parent)
    : QObject(parent), m_request(std::move(request)), m_shared(std::make_shared<Shared>())
{
}

HttpTask::~HttpTask()
{
    if (m_thread) {
        m_shared->cancel = true;
        m_thread->wait();
        delete m_thread;
    }
}

void HttpTask::start()
{
    if (m_started)
        return;
    m_started = true;
    m_thread = QThread::create([shared = m_shared, request = m_request] {
        try {
            shared->body = http::get(request, &shared->cancel);
        } catch (const UserError& e) {
            shared->error = e.text();
        } catch (const std::bad_alloc&) {
            shared->error = QStringLiteral("メモリが不足しています");
        } catch (...) {
            shared->error = QStringLiteral("予期しないエラーが発生しました");
        }
    });
    // Emitted on the worker thread; delivered here through the event loop.
    connect(m_thread, &QThread::finished, this, [this] {
        m_done = true;
        emit finished();
    });
    m_thread->start();
}

bool HttpTask::failed() const { return m_shared->error.has_value(); }

QString HttpTask::errorText() const { return m_shared->error.value_or(QString()); }

QByteArray HttpTask::body() const { return m_shared->body; }

QByteArray HttpTask::getWaiting(const HttpRequest& request)
{
    HttpTask task(request);
    InputBlocker blocker;
    QEventLoop loop;
    connect(&task, &HttpTask::finished, &loop, &QEventLoop::quit);
    task.start();
    loop.exec();
    if (!task.isDone())
        throw UserError(QStringLiteral("通信を中断しました"));
    if (task.failed())
        throw UserError(task.errorText());
    return task.body();
}
