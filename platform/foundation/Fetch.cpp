#include "platform/foundation/Fetch.h"

#include "platform/foundation/MainQueue.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <memory>

namespace foundation {

namespace {

QPointer<QNetworkAccessManager>& managerOfTheApplication()
{
    static QPointer<QNetworkAccessManager> manager;
    return manager;
}

// A manager with a request under way cannot be torn down with the application's children: by
// then Qt's host-lookup service may be gone (a reply still resolving its host crashes the
// program on its way out) and its network thread finds no event loop, so its state is never
// freed. It goes just before, with its requests (their completions are not called).
void deleteNetworkAccessManager() { delete managerOfTheApplication().data(); }

// Main thread. One manager for the application, owned by it (a later application object gets
// its own).
QNetworkAccessManager& networkAccessManager()
{
    QPointer<QNetworkAccessManager>& manager = managerOfTheApplication();
    if (!manager || manager->parent() != QCoreApplication::instance()) {
        manager = new QNetworkAccessManager(QCoreApplication::instance());
        qAddPostRoutine(deleteNetworkAccessManager); // the application runs it once, as it goes
    }
    return *manager;
}

// Qt reports an HTTP error status as an error of the reply; for us a response that arrived is
// a response, whatever its status. Broken transfers (a connection dropped mid-body) stay errors.
bool isErrorOfStatus(QNetworkReply::NetworkError error)
{
    const int code = static_cast<int>(error);
    return (code >= QNetworkReply::ContentAccessDenied && code <= QNetworkReply::UnknownContentError)
        || code == QNetworkReply::ProtocolInvalidOperationError
        || (code >= QNetworkReply::InternalServerError && code <= QNetworkReply::UnknownServerError);
}

// How much of a body Qt may hold before we take it: we take it on every arrival, so this only
// bounds what piles up between two.
constexpr qint64 replyBufferSize = 64 * 1024;
// The most room a body is given at once, whatever its limit.
constexpr qint64 largestReservation = 64 * 1024 * 1024;

// One request's state, shared by its handlers (main thread).
struct Transfer {
    QByteArray body;
    qint64 sizeLimit = 0;
    bool timedOut = false;
    bool tooLarge = false;

    // Moves what has arrived into body; past the limit, ends the transfer.
    void take(QNetworkReply* reply)
    {
        // Room for all the limit allows, at once: pages not written cost no memory, and a body
        // that grows never exists twice while it is moved.
        if (body.capacity() == 0 && reply->bytesAvailable() > 0)
            body.reserve(std::min(sizeLimit + 1, largestReservation));
        while (!tooLarge && reply->bytesAvailable() > 0) {
            body += reply->read(std::min(reply->bytesAvailable(), sizeLimit + 1 - body.size()));
            if (body.size() > sizeLimit)
                refuse(reply);
        }
    }

    void refuse(QNetworkReply* reply)
    {
        tooLarge = true;
        body = QByteArray(); // its memory goes now, not with the reply
        reply->abort();
    }
};

// Main thread.
void startFetch(const QUrl& url, std::function<void(FetchResult)> completion, std::chrono::milliseconds timeout,
                qint64 sizeLimit)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = networkAccessManager().get(request);
    reply->setReadBufferSize(replyBufferSize);
    auto transfer = std::make_shared<Transfer>();
    transfer->sizeLimit = std::clamp<qint64>(sizeLimit, 0, std::numeric_limits<qint64>::max() - 1);

    // Our own deadline for the whole request: a server that accepts and then says nothing, or
    // trickles, must still end it.
    auto* deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, reply, [reply, transfer] {
        transfer->timedOut = true;
        reply->abort();
    });
    deadline->start(timeout);

    // A body announced too large is refused before it arrives.
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, transfer] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (!transfer->tooLarge && length.isValid() && length.toLongLong() > transfer->sizeLimit)
            transfer->refuse(reply);
    });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, transfer] { transfer->take(reply); });

    QObject::connect(reply, &QNetworkReply::finished, reply,
                     [reply, transfer, completion = std::move(completion)] {
                         FetchResult result;
                         const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
                         result.statusCode = status.isValid() ? status.toInt() : 0;
                         if (reply->isOpen()) // an aborted reply is closed
                             transfer->take(reply);
                         if (transfer->tooLarge)
                             result.error = QStringLiteral("the response is larger than %1 bytes").arg(transfer->sizeLimit);
                         else if (transfer->timedOut)
                             result.error = QStringLiteral("the request timed out");
                         else if (reply->error() != QNetworkReply::NoError
                                  && !(result.statusCode != 0 && isErrorOfStatus(reply->error())))
                             result.error = reply->errorString();
                         if (!transfer->tooLarge && !transfer->timedOut) { // a part is no document
                             transfer->body.squeeze();
                             result.body = std::move(transfer->body);
                         }
                         reply->deleteLater();
                         if (completion)
                             completion(std::move(result));
                     });
}

} // namespace

void fetch(const QUrl& url, std::function<void(FetchResult)> completion, std::chrono::milliseconds timeout,
           qint64 sizeLimit)
{
    if (mainQueue::isMainThread() && QCoreApplication::instance()) {
        startFetch(url, std::move(completion), timeout, sizeLimit);
        return;
    }
    mainQueue::async([url, completion = std::move(completion), timeout, sizeLimit]() mutable {
        startFetch(url, std::move(completion), timeout, sizeLimit);
    });
}

} // namespace foundation
