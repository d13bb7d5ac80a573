#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <chrono>
#include <functional>

namespace foundation {

/// What a GET brought back.
struct FetchResult {
    /// The response body (also for an HTTP error status such as 404).
    QByteArray body;
    /// The HTTP status code; 0 when no response arrived.
    int statusCode = 0;
    /// Empty when a response arrived, whatever its status; else why none did (refused
    /// connection, unknown host, TLS failure, timeout ...).
    QString error;

    bool succeeded() const { return error.isEmpty(); }
};

/// How long a request may take in all before it ends with an error.
inline constexpr std::chrono::milliseconds defaultFetchTimeout{15'000};

/// The largest body a request takes unless its caller says otherwise, in bytes.
inline constexpr qint64 defaultFetchSizeLimit = 16 * 1024 * 1024;

/// An asynchronous HTTP(S) GET, redirects followed (never from HTTPS down to HTTP). The request
/// runs on the main thread's event loop; completion is called there exactly once, with the
/// body, the status code and an error text (never, for a request still under way when the
/// application object goes: it goes first). A server that does not answer in full within
/// timeout ends the request with the error "the request timed out". A body longer than
/// sizeLimit bytes (or announced so) ends it as soon as that is known, with the status, no body
/// and the error "the response is larger than <sizeLimit> bytes"; the body is read as it
/// arrives, so a server that never stops sending costs about sizeLimit of memory. Any thread
/// (a call from another thread is handed to the main queue, so it needs a QCoreApplication as
/// that does).
void fetch(const QUrl& url, std::function<void(FetchResult)> completion,
           std::chrono::milliseconds timeout = defaultFetchTimeout, qint64 sizeLimit = defaultFetchSizeLimit);

} // namespace foundation
