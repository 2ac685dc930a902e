// SPDX-License-Identifier: MIT
#include "platform/SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

const QByteArray activateRequest = QByteArrayLiteral("activate\n");

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

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent), m_name(socketName(key))
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

bool SingleInstance::start()
{
    if (askRunningCopy(m_name))
        return false;
    // Nobody answered: whatever is left under the name belongs to a copy that has died.
    QLocalServer::removeServer(m_name);
    if (m_server.listen(m_name))
        return true;
    // Another copy may have won the race in between.
    if (askRunningCopy(m_name))
        return false;
    // The name cannot be used at all; run without the guard rather than not at all.
    return true;
}
