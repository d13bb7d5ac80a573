#pragma once

#include "Tarnkit/Foundation/MenuDelegate.h"

#include <QIcon>
#include <QUrl>

#include <memory>
#include <optional>

class QAction;
class QMenu;

namespace tarnkit {

/// Fills an "Open Recent" menu from the shared DocumentController each time it is about to
/// show: one item per recent document still on disk (its file name, a small file icon), then a
/// separator and "Clear Recent Documents". Choosing a document opens it through the controller.
/// Install it with setMenuDelegate(menu, &delegate) and keep it alive as long as the menu.
/// Main thread.
class RecentDocumentsMenuDelegate : public MenuDelegate {
    Q_OBJECT
public:
    using MenuDelegate::MenuDelegate;

    /// Replaces every item of menu (also items someone else put there).
    void menuNeedsUpdate(QMenu* menu) override;

    /// Opens the URL that sender (a menu item) represents; anything else does nothing.
    Q_INVOKABLE virtual void openRecentDocument(QObject* sender);
    /// Clears the controller's list, passing sender on.
    Q_INVOKABLE virtual void clearRecentDocuments(QObject* sender);

    /// The representations of icon (its pixmap sizes, in points) at most 16 wide or at most 16
    /// high, in the icon's order; null when there is none.
    static QIcon smallRepresentations(const QIcon& icon);

protected:
    /// The icon the desktop shows for the file at url; none when it cannot be read (the icon
    /// provider has none for it), which leaves the document out of the menu.
    virtual std::optional<QIcon> effectiveIcon(const QUrl& url) const;

private:
    /// The one item of url, or null when its file is gone or its icon cannot be read.
    std::unique_ptr<QAction> makeItem(const QUrl& url);
};

} // namespace tarnkit
