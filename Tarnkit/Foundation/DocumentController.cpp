#include "Tarnkit/Foundation/DocumentController.h"

#include "Tarnkit/Foundation/Selector.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

namespace tarnkit {

namespace {

void requireMainThread(int line)
{
    foundation::mainQueue::requireMainThread("the document controller is used off the main thread", "Tarnkit/DocumentController", line);
}

} // namespace

DocumentController::DocumentController(QObject* parent) : QObject(parent) {}

DocumentController& DocumentController::shared()
{
    requireMainThread(__LINE__);
    static DocumentController* const controller = [] {
        auto* made = new DocumentController; // lives as long as the process
        addApplicationResponder(made);
        return made;
    }();
    return *controller;
}

void DocumentController::noteNewRecentDocumentURL(const QUrl& url)
{
    requireMainThread(__LINE__);
    recentDocumentURLs_.removeAll(url);
    recentDocumentURLs_.prepend(url);
    while (recentDocumentURLs_.size() > maximumRecentDocumentCount)
        recentDocumentURLs_.removeLast();
    emit recentDocumentsChanged();
}

void DocumentController::openDocument(const QUrl& url, bool display, const std::function<void()>& completion)
{
    requireMainThread(__LINE__);
    emit openDocumentRequested(url, display);
    if (completion)
        completion();
}

void DocumentController::clearRecentDocuments(QObject* /*sender*/)
{
    requireMainThread(__LINE__);
    recentDocumentURLs_.clear();
    emit recentDocumentsChanged();
}

} // namespace tarnkit
