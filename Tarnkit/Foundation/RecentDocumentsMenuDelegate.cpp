#include "Tarnkit/Foundation/RecentDocumentsMenuDelegate.h"

#include "Tarnkit/Foundation/DocumentController.h"
#include "Tarnkit/Foundation/MenuItemAttributes.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

#include <QAction>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMenu>

#include <vector>

namespace tarnkit {

namespace {

void requireMainThread(int line)
{
    foundation::mainQueue::requireMainThread("the recent documents menu is used off the main thread", "Tarnkit/RecentDocumentsMenuDelegate", line);
}

constexpr int smallIconPoints = 16;

} // namespace

void RecentDocumentsMenuDelegate::menuNeedsUpdate(QMenu* menu)
{
    requireMainThread(__LINE__);
    std::vector<std::unique_ptr<QAction>> items;
    for (const QUrl& url : DocumentController::shared().recentDocumentURLs()) {
        if (auto item = makeItem(url))
            items.push_back(std::move(item));
    }
    items.push_back(menuItem::separator());
    // No target: the action travels the responder chain to the document controller.
    items.push_back(menuItem::make(tr("Clear Recent Documents"), Selector{"clearRecentDocuments"}));
    menuItem::setItemArray(menu, std::move(items));
}

std::unique_ptr<QAction> RecentDocumentsMenuDelegate::makeItem(const QUrl& url)
{
    if (!url.isLocalFile() || !QFileInfo::exists(url.toLocalFile()))
        return nullptr;
    const std::optional<QIcon> icon = effectiveIcon(url);
    if (!icon)
        return nullptr;
    auto item = menuItem::make(url.fileName());
    item->setData(url);
    item->setIcon(smallRepresentations(*icon));
    menuItem::setTarget(item.get(), this);
    menuItem::setAction(item.get(), Selector{"openRecentDocument"});
    return item;
}

void RecentDocumentsMenuDelegate::openRecentDocument(QObject* sender)
{
    requireMainThread(__LINE__);
    const auto* item = qobject_cast<const QAction*>(sender);
    if (!item || item->data().typeId() != QMetaType::QUrl)
        return;
    DocumentController::shared().openDocument(item->data().toUrl(), true);
}

void RecentDocumentsMenuDelegate::clearRecentDocuments(QObject* sender)
{
    requireMainThread(__LINE__);
    DocumentController::shared().clearRecentDocuments(sender);
}

QIcon RecentDocumentsMenuDelegate::smallRepresentations(const QIcon& icon)
{
    QIcon small;
    for (const QSize& size : icon.availableSizes()) {
        if (size.width() <= smallIconPoints || size.height() <= smallIconPoints)
            small.addPixmap(icon.pixmap(size));
    }
    return small;
}

std::optional<QIcon> RecentDocumentsMenuDelegate::effectiveIcon(const QUrl& url) const
{
    // The provider answers with a null icon when it has none to give for the file.
    const QIcon icon = QFileIconProvider().icon(QFileInfo(url.toLocalFile()));
    if (icon.isNull())
        return std::nullopt;
    return icon;
}

} // namespace tarnkit
