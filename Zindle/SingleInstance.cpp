#include "Zindle/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>

#include <cerrno>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace zindleapp {

namespace {

// One delivery: the links, one a line, ended by the sender closing its side.
QByteArray encode(const QStringList& urls)
{
    QByteArray message;
    for (const QString& url : urls)
        message += url.toUtf8() + '\n';
    return message;
}

QStringList decode(const QByteArray& message)
{
    QStringList urls;
    for (const QByteArray& line : message.split('\n'))
        if (!line.isEmpty())
            urls << QString::fromUtf8(line);
    return urls;
}

// A socket descriptor that closes itself.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Waits until fd is ready for events or the deadline passes.
bool waitFor(int fd, short events, const QDeadlineTimer& deadline)
{
    pollfd entry{fd, events, 0};
    for (;;) {
        const int ready = ::poll(&entry, 1, int(std::max<qint64>(0, deadline.remainingTime())));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

// Writes all of data before the deadline, on a non-blocking socket.
bool sendAll(int fd, const QByteArray& data, const QDeadlineTimer& deadline)
{
    qsizetype sent = 0;
    while (sent < data.size()) {
        const ssize_t n = ::send(fd, data.constData() + sent, size_t(data.size() - sent), MSG_NOSIGNAL);
        if (n > 0) {
            sent += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && waitFor(fd, POLLOUT, deadline))
            continue;
        return false;
    }
    return true;
}

// A connection to the socket at path, or -1 (nobody listens there yet, or the path is too
// long for a socket address).
int connectTo(const QByteArray& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= qsizetype(sizeof address.sun_path))
        return -1;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return -1;
    // A local connect completes at once or fails at once: a full backlog is EAGAIN.
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

SingleInstance::SingleInstance(QString name) : name_(std::move(name)), lock_(name_ + QStringLiteral(".lock"))
{
    // A live instance's lock is never stale, however old; a dead one's is (its process is gone).
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    if (server_)
        server_->close();
}

QString SingleInstance::defaultName()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return QDir(runtime).filePath(QStringLiteral("zindle.socket"));
    return QDir::temp().filePath(QStringLiteral("zindle-%1.socket").arg(::getuid()));
}

SingleInstance::Role SingleInstance::start(const QStringList& urls, int handOverTime)
{
    if (lock_.tryLock(0)) {
        primary_ = true;
        return Role::primary;
    }
    if (lock_.error() != QLockFile::LockFailedError) {
        // Nowhere to coordinate: run alone rather than not at all.
        error_ = QStringLiteral("cannot make the lock file %1.lock; later launches cannot hand their links over")
                     .arg(name_);
        return Role::primary;
    }
    if (handOver(urls, handOverTime))
        return Role::handedOver;
    error_ = QStringLiteral("the running Zindle did not answer on %1").arg(name_);
    return Role::failed;
}

void SingleInstance::listen()
{
    if (!primary_)
        return;
    // What a crashed instance left here would refuse the listen.
    QLocalServer::removeServer(name_);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_)) {
        error_ = QStringLiteral("cannot listen on %1 (%2); later launches cannot hand their links over")
                     .arg(name_, server_->errorString());
        return;
    }
    QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            auto message = std::make_shared<QByteArray>();
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, message] { *message += socket->readAll(); });
            QObject::connect(socket, &QLocalSocket::disconnected, socket, [this, socket, message] {
                *message += socket->readAll();
                socket->deleteLater();
                if (onDelivery)
                    onDelivery(decode(*message));
            });
        }
    });
}

bool SingleInstance::handOver(const QStringList& urls, int handOverTime)
{
    // Plain sockets: this runs before any application object, which Qt's sockets want.
    const QByteArray path = QFile::encodeName(name_);
    const QDeadlineTimer deadline(handOverTime);
    // The running instance may still be on its way to listening: try until the time is up.
    while (!deadline.hasExpired()) {
        const Descriptor socket(connectTo(path));
        if (socket.get() >= 0)
            return sendAll(socket.get(), encode(urls), deadline);
        ::usleep(50'000);
    }
    return false;
}

} // namespace zindleapp
