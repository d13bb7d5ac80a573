#include "Zindle/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>

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
        listen();
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
    // The running instance may still be on its way to listening: try until the time is up.
    const QDeadlineTimer deadline(handOverTime);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(name_);
        if (socket.waitForConnected(int(std::min<qint64>(500, deadline.remainingTime())))) {
            socket.write(encode(urls));
            const bool written = socket.bytesToWrite() == 0 || socket.waitForBytesWritten(2000);
            socket.disconnectFromServer();
            if (socket.state() != QLocalSocket::UnconnectedState)
                socket.waitForDisconnected(2000);
            return written;
        }
        QThread::msleep(50);
    }
    return false;
}

} // namespace zindleapp
