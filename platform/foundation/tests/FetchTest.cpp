#include "platform/foundation/Fetch.h"

#include "platform/foundation/MainQueue.h"
#include "platform/foundation/tests/EventLoopWait.h"

#include <gtest/gtest.h>

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <map>
#include <optional>
#include <thread>

namespace foundation {
namespace {

using test::runEventLoopUntil;

// A tiny HTTP server on 127.0.0.1: answers each path with a canned response, or never
// answers paths it does not know (a hung server).
class LoopbackServer {
public:
    LoopbackServer()
    {
        EXPECT_TRUE(server_.listen(QHostAddress::LocalHost));
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { serve(socket); });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }

    void respond(const QByteArray& path, QByteArray response) { responses_[path] = std::move(response); }

    QUrl url(const QString& path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path));
    }

    int requests = 0;

private:
    void serve(QTcpSocket* socket)
    {
        QByteArray& request = pending_[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        ++requests;
        const QByteArray path = request.split(' ').value(1);
        pending_.erase(socket);
        const auto found = responses_.find(path);
        if (found == responses_.end())
            return; // hang: keep the connection open and say nothing
        socket->write(found->second);
        socket->flush();
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    std::map<QByteArray, QByteArray> responses_;
    std::map<QTcpSocket*, QByteArray> pending_;
};

QByteArray httpResponse(int status, const QByteArray& reason, const QByteArray& body,
                        const QByteArray& extraHeaders = {})
{
    return "HTTP/1.1 " + QByteArray::number(status) + " " + reason + "\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\nConnection: close\r\n" + extraHeaders + "\r\n" + body;
}

// Fetches url and waits for the completion, checking that it comes once, on the main thread.
FetchResult fetchAndWait(const QUrl& url, std::chrono::milliseconds timeout = defaultFetchTimeout)
{
    int completions = 0;
    bool onMainThread = false;
    FetchResult result;
    fetch(url, [&](FetchResult r) {
        ++completions;
        onMainThread = mainQueue::isMainThread();
        result = std::move(r);
    }, timeout);
    EXPECT_EQ(completions, 0) << "the completion never runs inside fetch";
    EXPECT_TRUE(runEventLoopUntil([&] { return completions > 0; }));
    test::runEventLoopFor(std::chrono::milliseconds(20));
    EXPECT_EQ(completions, 1);
    EXPECT_TRUE(onMainThread);
    return result;
}

TEST(Fetch, ResponsesArriveWithBodyAndStatus)
{
    LoopbackServer server;
    server.respond("/zindle/zindle.xml", httpResponse(200, "OK", "<rss>feed</rss>"));
    server.respond("/missing", httpResponse(404, "Not Found", "no such page"));
    server.respond("/broken", httpResponse(500, "Internal Server Error", "oops"));
    server.respond("/moved", httpResponse(302, "Found", "", "Location: /zindle/zindle.xml\r\n"));
    server.respond("/empty", httpResponse(204, "No Content", ""));
    struct Case {
        QString path;
        int status;
        QByteArray body;
    };
    const std::vector<Case> cases{
        {"/zindle/zindle.xml", 200, "<rss>feed</rss>"},
        {"/missing", 404, "no such page"}, // a response, not a transport error
        {"/broken", 500, "oops"},
        {"/moved", 200, "<rss>feed</rss>"}, // redirects are followed
        {"/empty", 204, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const FetchResult result = fetchAndWait(server.url(c.path));
        EXPECT_TRUE(result.succeeded()) << result.error.toStdString();
        EXPECT_EQ(result.statusCode, c.status);
        EXPECT_EQ(result.body, c.body);
    }
}

TEST(Fetch, ARefusedConnectionEndsWithAnError)
{
    quint16 port = 0;
    {
        QTcpServer closed; // a port that was free a moment ago and has nobody listening now
        ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
        port = closed.serverPort();
    }
    const FetchResult result = fetchAndWait(QUrl(QStringLiteral("http://127.0.0.1:%1/x").arg(port)));
    EXPECT_FALSE(result.succeeded());
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(result.statusCode, 0);
    EXPECT_TRUE(result.body.isEmpty());
}

TEST(Fetch, ABodyCutShortIsAnError)
{
    LoopbackServer server;
    server.respond("/cut", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\nConnection: close\r\n\r\nonly this");
    const FetchResult result = fetchAndWait(server.url("/cut"));
    EXPECT_FALSE(result.succeeded()) << "a truncated body must not pass for the document";
}

TEST(Fetch, AServerThatNeverAnswersTimesOut)
{
    LoopbackServer server; // knows no path: accepts, reads the request, says nothing
    const FetchResult result = fetchAndWait(server.url("/hang"), std::chrono::milliseconds(200));
    EXPECT_EQ(server.requests, 1);
    EXPECT_EQ(result.error, "the request timed out");
    EXPECT_EQ(result.statusCode, 0);
}

TEST(Fetch, AFetchStartedOnAWorkerCompletesOnTheMainThread)
{
    LoopbackServer server;
    server.respond("/v", httpResponse(200, "OK", "1.2.3"));
    std::optional<FetchResult> result;
    bool onMainThread = false;
    const QUrl url = server.url("/v");
    std::thread([&] {
        fetch(url, [&](FetchResult r) {
            onMainThread = mainQueue::isMainThread();
            result = std::move(r);
        });
    }).join();
    ASSERT_TRUE(runEventLoopUntil([&] { return result.has_value(); }));
    EXPECT_TRUE(onMainThread);
    EXPECT_EQ(result->body, "1.2.3");
}

} // namespace
} // namespace foundation
