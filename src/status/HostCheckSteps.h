// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

// The steps of a status check that touch the window, the host grid or the address file. The check
// thread runs each of them on the thread this object lives in (the user-interface thread) and
// waits until it has finished. A step may throw UserError; the check then ends with its text.
class HostCheckSteps : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void ShowCheckRunning() = 0;
    // Returns the number of hosts written.
    virtual int WriteHostAddressFile() = 0;
    // Just before the results: what went wrong inside the query program this cycle (empty when
    // nothing did), for the user.
    virtual void ShowQueryRun(const QString& problem) { Q_UNUSED(problem); }
    virtual void ApplyStatusResults(const QList<QByteArray>& results) = 0;
    virtual void ShowCheckWaiting() = 0;
    // The check has ended; error is empty unless it ended because of a failure the user must hear of.
    virtual void ShowCheckStopped(const QString& error) = 0;
};
