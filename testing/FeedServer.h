#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

namespace testing_support {

/// A one-document HTTP server on 127.0.0.1 (main thread): answers every GET with the given
/// status and body, then closes the connection; or, after hang(), reads each request and never
/// answers it.
class FeedServer : public QTcpServer {
public:
    FeedServer()
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, &FeedServer::answer);
    }

    void serve(QByteArray body, int status = 200)
    {
        body_ = std::move(body);
        status_ = status;
        hangs_ = false;
    }
    void hang() { hangs_ = true; }
    QUrl url(const QString& path = QStringLiteral("/zindle/zindle.xml")) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path));
    }
    int requests() const { return requests_; }
    const QByteArray& lastRequestLine() const { return lastRequestLine_; }

private:
    void answer()
    {
        while (QTcpSocket* socket = nextPendingConnection()) {
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                request_ += socket->readAll();
                if (!request_.contains("\r\n\r\n"))
                    return;
                ++requests_;
                lastRequestLine_ = request_.left(request_.indexOf("\r\n"));
                request_.clear();
                if (hangs_)
                    return;
                QByteArray response = "HTTP/1.1 " + QByteArray::number(status_) + " Status\r\n";
                response += "Content-Type: application/rss+xml\r\n";
                response += "Content-Length: " + QByteArray::number(body_.size()) + "\r\n";
                response += "Connection: close\r\n\r\n";
                response += body_;
                socket->write(response);
                socket->disconnectFromHost();
            });
        }
    }

    QByteArray body_;
    int status_ = 200;
    bool hangs_ = false;
    QByteArray request_;
    QByteArray lastRequestLine_;
    int requests_ = 0;
};

} // namespace testing_support
