// SPDX-License-Identifier: MIT
#include "platform/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

const QByteArray activateRequest = QByteArrayLiteral("activate\n");

// The holder of the lock listens a moment after it took it; one that has not answered by then
// is hung, and this copy still does not run beside it.
constexpr int AnswerWaitMs = 5000;
constexpr int LockRetryMs = 100;

bool askRunningCopy(const QString& name)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(1000))
        return false;
    socket.write(activateRequest);
    socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    return true;
}

} // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent)
    : QObject(parent), m_name(socketName(key)), m_lockName(lockFileName(key))
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = m_server.nextPendingConnection()) {
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                if (s->readAll().contains('\n'))
                    emit activationRequested();
            });
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        }
    });
}

SingleInstance::~SingleInstance()
{
    // The socket goes before the lock, so that a copy that takes the lock finds no server of ours.
    m_server.close();
}

QString SingleInstance::socketName(const QString& key)
{
#ifdef Q_OS_UNIX
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(key);
    return key + QLatin1Char('-') + QString::number(getuid());
#else
    return key;
#endif
}

QString SingleInstance::lockFileName(const QString& key)
{
    // A folder of this user's own (Qt makes one when the session has none), so that no other user
    // can hold or plant the lock.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty() || !QFileInfo(runtime).isDir())
        return {};
    return QDir(runtime).filePath(key + QStringLiteral(".lock"));
}

bool SingleInstance::listen()
{
    // Only the holder of the lock gets here: whatever is left under the name belongs to a copy
    // that has died.
    QLocalServer::removeServer(m_name);
    // If the name cannot be used at all, run without being found rather than not at all.
    m_server.listen(m_name);
    return true;
}

bool SingleInstance::start()
{
    if (!m_lockName.isEmpty()) {
        auto lock = std::make_unique<QLockFile>(m_lockName);
        // Held for the program's whole life: only a holder that is gone makes it stale, never its age.
        lock->setStaleLockTime(0);
        const QDeadlineTimer deadline(AnswerWaitMs);
        int wait = 0;
        while (!lock->tryLock(wait)) {
            if (lock->error() != QLockFile::LockFailedError)
                break; // no lock can be made there: go on without it
            if (askRunningCopy(m_name))
                return false;
            if (deadline.hasExpired())
                return false;
            wait = LockRetryMs;
        }
        if (lock->isLocked()) {
            m_lock = std::move(lock);
            return listen();
        }
    }
    // Without a lock, as well as it goes: a copy that answers is running.
    if (askRunningCopy(m_name))
        return false;
    if (m_server.listen(m_name))
        return true;
    QLocalServer::removeServer(m_name);
    if (m_server.listen(m_name))
        return true;
    return !askRunningCopy(m_name);
}
