// SPDX-License-Identifier: MIT
// Windows: Qt's lock file, which names its holder, so that a lock left by a crashed holder is taken over.
#include "platform/InstanceLock.h"

#include <QLockFile>

struct InstanceLock::Handle
{
    explicit Handle(const QString& path) : file(path)
    {
        // Held for the program's whole life: only a holder that is gone makes it stale, never its age.
        file.setStaleLockTime(0);
    }
    QLockFile file;
};

InstanceLock::InstanceLock(const QString& path) : m_path(path), m_handle(std::make_unique<Handle>(path)) {}

InstanceLock::~InstanceLock() = default; // QLockFile lets go and removes the file

InstanceLock::Result InstanceLock::tryTake()
{
    if (m_handle->file.isLocked() || m_handle->file.tryLock(0))
        return Result::Taken;
    return m_handle->file.error() == QLockFile::LockFailedError ? Result::HeldByOther : Result::Unavailable;
}
