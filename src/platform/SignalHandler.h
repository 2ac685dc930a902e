// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the user-interface thread, so an end asked
// for by the session or the terminal runs the normal shutdown instead of losing unsaved changes.
class SignalHandler : public QObject
{
    Q_OBJECT
public:
    explicit SignalHandler(QObject* parent = nullptr);
    ~SignalHandler() override;

signals:
    void terminationRequested();

private:
    QSocketNotifier* m_notifier = nullptr;
};
