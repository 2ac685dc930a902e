// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class InstanceLock;

// One copy per user. The first copy takes a lock file in the per-user runtime folder and holds it
// for its whole life, then listens on a local socket named after the key; a later copy finds the
// lock taken, asks the holder through the socket to come to the front, and ends. The lock makes
// copies started at the same moment agree on one; a lock or socket left behind by a crashed copy
// is taken over, since its holder is gone.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this is the first copy (it now holds the lock and listens); false when a running
    // copy was told to come to the front.
    bool start();
    // The per-user socket name for the key.
    static QString socketName(const QString& key);
    // The lock file for the key, or empty when there is no per-user runtime folder.
    static QString lockFileName(const QString& key);

signals:
    void activationRequested();

private:
    // The listening end of the system's local socket. It, the constructor and destructor, socketName,
    // listen and askRunningCopy are in SingleInstance_<system>.cpp.
    class Listener;

    // Listens under the socket name, first removing what is left there when replace is set; false
    // when the name cannot be used.
    bool listen(bool replace);
    // Whether a copy listens under name; if so it has been asked to come to the front.
    static bool askRunningCopy(const QString& name);

    QString m_name;
    QString m_lockName;
    std::unique_ptr<InstanceLock> m_lock;
    std::unique_ptr<Listener> m_listener;
};
