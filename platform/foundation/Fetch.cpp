#include "platform/foundation/Fetch.h"

#include "platform/foundation/MainQueue.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace foundation {

namespace {

QPointer<QNetworkAccessManager> applicationManager;

// Runs first thing in the application's destructor. Left to the application's children, the
// manager and its replies would go after Qt's host-lookup service, and a reply still resolving
// its host then crashes the program on its way out.
void deleteNetworkAccessManager()
{
    delete applicationManager.data();
}

// Main thread. One manager for the application, deleted just before it (a later application
// object gets its own).
QNetworkAccessManager& networkAccessManager()
{
    if (!applicationManager || applicationManager->parent() != QCoreApplication::instance()) {
        applicationManager = new QNetworkAccessManager(QCoreApplication::instance());
        qAddPostRoutine(deleteNetworkAccessManager);
    }
    return *applicationManager;
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

// Main thread.
void startFetch(const QUrl& url, std::function<void(FetchResult)> completion, std::chrono::milliseconds timeout)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = networkAccessManager().get(request);

    // Our own deadline for the whole request: a server that accepts and then says nothing, or
    // trickles, must still end it.
    auto timedOut = std::make_shared<bool>(false);
    auto* deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, reply, [reply, timedOut] {
        *timedOut = true;
        reply->abort();
    });
    deadline->start(timeout);

    QObject::connect(reply, &QNetworkReply::finished, reply,
                     [reply, timedOut, completion = std::move(completion)] {
                         FetchResult result;
                         const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
                         result.statusCode = status.isValid() ? status.toInt() : 0;
                         if (reply->isOpen()) // an aborted reply is closed
                             result.body = reply->readAll();
                         if (*timedOut)
                             result.error = QStringLiteral("the request timed out");
                         else if (reply->error() != QNetworkReply::NoError
                                  && !(result.statusCode != 0 && isErrorOfStatus(reply->error())))
                             result.error = reply->errorString();
                         reply->deleteLater();
                         if (completion)
                             completion(std::move(result));
                     });
}

} // namespace

void fetch(const QUrl& url, std::function<void(FetchResult)> completion, std::chrono::milliseconds timeout)
{
    if (mainQueue::isMainThread() && QCoreApplication::instance()) {
        startFetch(url, std::move(completion), timeout);
        return;
    }
    mainQueue::async([url, completion = std::move(completion), timeout]() mutable {
        startFetch(url, std::move(completion), timeout);
    });
}

} // namespace foundation
