// SPDX-License-Identifier: MIT
// The lock that makes one copy the holder; the socket it listens on is the system's own.
#include "platform/SingleInstance.h"

#include "platform/InstanceLock.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace {

// The holder of the lock listens a moment after it took it; one that has not answered by then
// is hung, and this copy still does not run beside it.
constexpr int AnswerWaitMs = 5000;
constexpr int LockRetryMs = 100;

} // namespace

QString SingleInstance::lockFileName(const QString& key)
{
    // A folder of this user's own (Qt makes one when the session has none), so that no other user
    // can hold or plant the lock.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty() || !QFileInfo(runtime).isDir())
        return {};
    return QDir(runtime).filePath(key + QStringLiteral(".lock"));
}

bool SingleInstance::start()
{
    if (!m_lockName.isEmpty()) {
        auto lock = std::make_unique<InstanceLock>(m_lockName);
        const QDeadlineTimer deadline(AnswerWaitMs);
        InstanceLock::Result result;
        while ((result = lock->tryTake()) == InstanceLock::Result::HeldByOther) {
            if (askRunningCopy(m_name))
                return false;
            if (deadline.hasExpired())
                return false;
            QThread::msleep(LockRetryMs);
        }
        if (result == InstanceLock::Result::Taken) {
            m_lock = std::move(lock);
            // Only the holder of the lock gets here: whatever is left under the name belongs to a
            // copy that has died. If the name cannot be used at all, run without being found rather
            // than not at all.
            listen(true);
            return true;
        }
        // No lock can be made there: go on without it.
    }
    // Without a lock, as well as it goes: a copy that answers is running.
    if (askRunningCopy(m_name))
        return false;
    if (listen(false) || listen(true))
        return true;
    return !askRunningCopy(m_name);
}
