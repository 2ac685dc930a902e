// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <memory>

// A lock file that one process holds for its whole life. The system lets go of it when the holder
// ends, however it ends, so a crashed holder never leaves a lock that is still taken.
class InstanceLock
{
public:
    enum class Result
    {
        Taken,       // this process holds it now
        HeldByOther, // another process holds it
        Unavailable, // no lock can be made at that path
    };

    explicit InstanceLock(const QString& path);
    // Lets go of the lock and removes its file, if this process held it.
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Tries once, without waiting.
    Result tryTake();

private:
    // The system's handle; InstanceLock_<system>.cpp says what it is.
    struct Handle;
    QString m_path;
    std::unique_ptr<Handle> m_handle;
};
