// SPDX-License-Identifier: MIT
// Elsewhere than Windows: a Unix stream socket, read through socket notifiers. The socket is made
// by the system's calls, not Qt Network, so that the program does not map that library (and the
// Kerberos and proxy libraries behind it) at every start.
#include "platform/SingleInstance.h"

#include "platform/InstanceLock.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QByteArray activateRequest = QByteArrayLiteral("activate\n");

// As long as a second copy waited for the first to answer with Qt's local socket.
constexpr int ConnectWaitMs = 1000;

// The socket's path: a name that is not a path lies in the temporary folder.
QByteArray socketPath(const QString& name)
{
    const QString path =
        QDir::isAbsolutePath(name) ? name : QDir::cleanPath(QDir::tempPath()) + QLatin1Char('/') + name;
    return QFile::encodeName(path);
}

// The address for path, or none when the path is too long for one.
std::optional<sockaddr_un> addressOf(const QByteArray& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || path.size() >= qsizetype(sizeof address.sun_path) || path.contains('\0'))
        return std::nullopt;
    std::memcpy(address.sun_path, path.constData(), path.size());
    return address;
}

int newSocket() { return ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0); }

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

// Waits until fd is ready for events or the deadline passes.
bool waitFor(int fd, short events, const QDeadlineTimer& deadline)
{
    pollfd p{fd, events, 0};
    for (;;) {
        const int n = ::poll(&p, 1, int(deadline.remainingTime()));
        if (n > 0)
            return (p.revents & events) != 0;
        if (n == 0 || errno != EINTR)
            return false;
    }
}

// Connects fd to address within the deadline.
bool connectWithin(int fd, const sockaddr_un& address, const QDeadlineTimer& deadline)
{
    for (;;) {
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            return true;
        if (errno == EINPROGRESS || errno == EINTR) {
            int error = 0;
            socklen_t length = sizeof error;
            return waitFor(fd, POLLOUT, deadline) && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 &&
                   error == 0;
        }
        // A full queue of connections: the holder is busy, or hung; asked again a moment later.
        if (errno != EAGAIN || deadline.hasExpired())
            return false;
        ::poll(nullptr, 0, 10);
    }
}

// Whether the other end of fd is a process of this user: a socket of someone else's under a shared
// name must not end this copy.
bool peerIsThisUser(int fd)
{
#ifdef SO_PEERCRED
    ucred peer{};
    socklen_t length = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 && peer.uid == ::getuid();
#else
    (void)fd;
    return true;
#endif
}

// One copy's connection: read until it ends, then closed.
class Connection final : public QSocketNotifier
{
public:
    Connection(int fd, QObject* parent) : QSocketNotifier(fd, QSocketNotifier::Read, parent) {}
    ~Connection() override
    {
        setEnabled(false);
        ::close(int(socket()));
    }
};

} // namespace

class SingleInstance::Listener
{
public:
    explicit Listener(SingleInstance* owner) : m_owner(owner) {}

    ~Listener()
    {
        // Closed and removed, so that a copy that takes the lock next finds no socket of ours.
        if (m_fd < 0)
            return;
        m_accept.reset();
        ::close(m_fd);
        ::unlink(m_path.constData());
    }

    bool listen(const QByteArray& path, bool replace)
    {
        if (m_fd >= 0)
            return true;
        const std::optional<sockaddr_un> address = addressOf(path);
        if (!address)
            return false;
        if (replace) {
            struct stat info;
            if (::lstat(path.constData(), &info) == 0 && S_ISSOCK(info.st_mode))
                ::unlink(path.constData());
        }
        FileDescriptor fd(newSocket());
        if (fd.get() < 0)
            return false;
        // Only this user may connect, wherever the socket lies: no bits for the group or others.
        const mode_t oldMask = ::umask(077);
        const int bound = ::bind(fd.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address);
        ::umask(oldMask);
        if (bound != 0 || ::listen(fd.get(), 8) != 0)
            return false;
        m_fd = fd.release();
        m_path = path;
        m_accept = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
        QObject::connect(m_accept.get(), &QSocketNotifier::activated, m_owner, [this] { acceptAll(); });
        return true;
    }

private:
    void acceptAll()
    {
        for (;;) {
            const int fd = ::accept4(m_fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (fd < 0) {
                if (errno == EINTR || errno == ECONNABORTED)
                    continue;
                return; // EAGAIN: none waits; anything else: tried again on the next notice
            }
            auto* connection = new Connection(fd, &m_connections);
            QObject::connect(connection, &QSocketNotifier::activated, m_owner,
                             [this, connection] { read(connection); });
        }
    }

    void read(Connection* connection)
    {
        bool request = false;
        for (;;) {
            char buffer[512];
            const ssize_t n = ::read(int(connection->socket()), buffer, sizeof buffer);
            if (n > 0) {
                request = request || std::memchr(buffer, '\n', size_t(n)) != nullptr;
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n == 0 || errno != EAGAIN) {
                // Ended: closed once this notice has been handled.
                connection->setEnabled(false);
                connection->deleteLater();
            }
            break;
        }
        if (request)
            emit m_owner->activationRequested();
    }

    SingleInstance* m_owner;
    int m_fd = -1;
    QByteArray m_path;
    std::unique_ptr<QSocketNotifier> m_accept;
    QObject m_connections; // parent of the open connections
};

SingleInstance::SingleInstance(const QString& key, QObject* parent)
    : QObject(parent), m_name(socketName(key)), m_lockName(lockFileName(key)),
      m_listener(std::make_unique<Listener>(this))
{
}

// The socket goes before the lock (members end in reverse order).
SingleInstance::~SingleInstance() = default;

QString SingleInstance::socketName(const QString& key)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(key);
    return key + QLatin1Char('-') + QString::number(::getuid());
}

bool SingleInstance::listen(bool replace) { return m_listener->listen(socketPath(m_name), replace); }

bool SingleInstance::askRunningCopy(const QString& name)
{
    const std::optional<sockaddr_un> address = addressOf(socketPath(name));
    if (!address)
        return false;
    FileDescriptor fd(newSocket());
    const QDeadlineTimer deadline(ConnectWaitMs);
    if (fd.get() < 0 || !connectWithin(fd.get(), *address, deadline) || !peerIsThisUser(fd.get()))
        return false;
    // A running copy answered; the request is short enough to go out at once, and a holder that
    // does not read it is still running.
    if (waitFor(fd.get(), POLLOUT, QDeadlineTimer(ConnectWaitMs)))
        ::send(fd.get(), activateRequest.constData(), size_t(activateRequest.size()), MSG_NOSIGNAL);
    return true;
}
