// SPDX-License-Identifier: MIT
// On Windows the socket is Qt's local server, a named pipe.
#include "platform/SingleInstance.h"

#include "platform/InstanceLock.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace {

const QByteArray activateRequest = QByteArrayLiteral("activate\n");

} // namespace

class SingleInstance::Listener
{
public:
    explicit Listener(SingleInstance* owner)
    {
        server.setSocketOptions(QLocalServer::UserAccessOption);
        QObject::connect(&server, &QLocalServer::newConnection, owner, [this, owner] {
            while (QLocalSocket* s = server.nextPendingConnection()) {
                QObject::connect(s, &QLocalSocket::readyRead, owner, [owner, s] {
                    if (s->readAll().contains('\n'))
                        emit owner->activationRequested();
                });
                QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            }
        });
    }

    QLocalServer server;
};

SingleInstance::SingleInstance(const QString& key, QObject* parent)
    : QObject(parent), m_name(socketName(key)), m_lockName(lockFileName(key)),
      m_listener(std::make_unique<Listener>(this))
{
}

SingleInstance::~SingleInstance()
{
    // The socket goes before the lock, so that a copy that takes the lock finds no server of ours.
    m_listener.reset();
}

QString SingleInstance::socketName(const QString& key) { return key; }

bool SingleInstance::listen(bool replace)
{
    if (replace)
        QLocalServer::removeServer(m_name);
    return m_listener->server.listen(m_name);
}

bool SingleInstance::askRunningCopy(const QString& name)
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
