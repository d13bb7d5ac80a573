#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

#include <functional>

namespace tarnkit {

/// The application's list of recently opened documents, and the place a document is asked to
/// open. There is no document architecture here: opening only tells whoever listens to
/// openDocumentRequested(). It sits at the end of the responder chain, so an item whose action
/// is clearRecentDocuments and that has no target reaches it. Main thread.
class DocumentController : public QObject {
    Q_OBJECT
public:
    /// Remembered documents, newest first.
    static constexpr int maximumRecentDocumentCount = 10;

    explicit DocumentController(QObject* parent = nullptr);

    /// The application's controller, made on first use.
    static DocumentController& shared();

    /// Newest first.
    const QList<QUrl>& recentDocumentURLs() const { return recentDocumentURLs_; }

    /// Puts url at the front of the list (moving it there when it is already listed); the
    /// oldest beyond maximumRecentDocumentCount are forgotten.
    void noteNewRecentDocumentURL(const QUrl& url);

    /// Asks for the document at url to be opened (display: show it), then calls completion.
    void openDocument(const QUrl& url, bool display, const std::function<void()>& completion = {});

    /// Empties the list. sender is the menu item that asked, when one did.
    Q_INVOKABLE void clearRecentDocuments(QObject* sender);

signals:
    void openDocumentRequested(const QUrl& url, bool display);
    void recentDocumentsChanged();

private:
    QList<QUrl> recentDocumentURLs_;
};

} // namespace tarnkit
