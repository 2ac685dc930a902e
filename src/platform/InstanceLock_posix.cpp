// SPDX-License-Identifier: MIT
// Elsewhere than Windows: flock() on an open file. Unlike a lock file that names its holder, it is
// never stale and needs no write to the disk.
#include "platform/InstanceLock.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

struct InstanceLock::Handle
{
    int fd = -1;
};

InstanceLock::InstanceLock(const QString& path) : m_path(path), m_handle(std::make_unique<Handle>()) {}

InstanceLock::~InstanceLock()
{
    if (m_handle->fd < 0)
        return;
    // Removed while still held: a process that opened this file meanwhile takes a lock on a file
    // that is no longer under the name, sees that, and tries again on the name's new file.
    ::unlink(QFile::encodeName(m_path).constData());
    ::close(m_handle->fd);
}

InstanceLock::Result InstanceLock::tryTake()
{
    if (m_handle->fd >= 0)
        return Result::Taken;
    const QByteArray path = QFile::encodeName(m_path);
    if (path.isEmpty())
        return Result::Unavailable;
    // A few rounds only: each is lost only to a holder that let go of the lock at that very moment.
    for (int round = 0; round < 5; ++round) {
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0)
            return Result::Unavailable;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            return error == EWOULDBLOCK ? Result::HeldByOther : Result::Unavailable;
        }
        struct stat held = {};
        struct stat named = {};
        if (::fstat(fd, &held) == 0 && ::lstat(path.constData(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino) {
            m_handle->fd = fd;
            return Result::Taken;
        }
        ::close(fd); // the holder removed it as it let go
    }
    return Result::HeldByOther;
}
