// SPDX-License-Identifier: MIT
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// One copy per user: the first copy listens on a local socket named after the key; a later copy
// asks it to come to the front and ends. A socket left behind by a crashed copy answers nobody,
// so the next first copy removes it.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);

    // True when this is the first copy (it now listens); false when a running copy was told to
    // come to the front.
    bool start();
    // The per-user socket name for the key.
    static QString socketName(const QString& key);

signals:
    void activationRequested();

private:
    QString m_name;
    QLocalServer m_server;
};
