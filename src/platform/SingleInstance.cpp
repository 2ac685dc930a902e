// SPDX-License-Identifier: MIT
// The lock that makes one copy the holder; the socket it listens on is the system's own.
#include "platform/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

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
            // Only the holder of the lock gets here: whatever is left under the name belongs to a
            // copy that has died. If the name cannot be used at all, run without being found rather
            // than not at all.
            listen(true);
            return true;
        }
    }
    // Without a lock, as well as it goes: a copy that answers is running.
    if (askRunningCopy(m_name))
        return false;
    if (listen(false) || listen(true))
        return true;
    return !askRunningCopy(m_name);
}
