#include "Tarnkit/Fields/ActionableTableHeaderView.h"

#include "Tarnkit/Fields/ClipView.h"
#include "Tarnkit/Fields/ScrollView.h"
#include "Tarnkit/Fields/TableView.h"
#include "Tarnkit/Foundation/AssetResources.h"
#include "Tarnkit/Foundation/NotificationPublisher.h"

#include <QPointer>

namespace tarnkit {

namespace {

ImageButton* makeButton(ImageAsset image, ImageAsset pressed, QWidget* parent)
{
    auto* button = new ImageButton(ImageResource::of(image).makeImage(), ImageResource::of(pressed).makeImage(), parent);
    button->sizeToFit();
    return button;
}

} // namespace

ActionableTableHeaderView::ActionableTableHeaderView(QWidget* parent)
    : StyledTableHeaderView(parent),
      addItemButton_(makeButton(ImageAsset::propertiesTableAdd, ImageAsset::propertiesTableAddDown, this)),
      optionButton_(makeButton(ImageAsset::propertiesTableheaderOverflow,
                               ImageAsset::propertiesTableheaderOverflowDown, this))
{
    subscribeToScrolling();
}

void ActionableTableHeaderView::subscribeToScrolling()
{
    cancellables_.clear();
    const QPointer<ActionableTableHeaderView> header(this);
    for (const QString& name : {ClipView::boundsDidChangeNotification, ClipView::frameDidChangeNotification}) {
        notificationPublisher(name)
            .compactMap([header](const foundation::Notification& n) -> std::optional<bool> {
                const auto* clip = qobject_cast<const ClipView*>(n.object);
                if (!clip || !header)
                    return std::nullopt;
                const TableView* table = header->tableView();
                const ScrollView* scrollView = table ? table->enclosingScrollView() : nullptr;
                // Another table's scrolling says nothing about this header's layout.
                if (!scrollView || scrollView->contentView() != clip)
                    return std::nullopt;
                return true;
            })
            .receiveOnMain()
            .sink([header](const bool&) {
                if (header)
                    header->setNeedsLayout(true);
            })
            .store(cancellables_);
    }
}

void ActionableTableHeaderView::setTableView(TableView* table)
{
    StyledTableHeaderView::setTableView(table);
    if (ScrollView* scrollView = table ? table->enclosingScrollView() : nullptr) {
        scrollView->contentView()->setPostsBoundsChangedNotifications(true);
        scrollView->contentView()->setPostsFrameChangedNotifications(true);
    }
}

void ActionableTableHeaderView::hideAddItemButton()
{
    addItemButton_->setHidden(true);
    setNeedsLayout(true);
}

void ActionableTableHeaderView::hideOptionButton()
{
    optionButton_->setHidden(true);
    setNeedsLayout(true);
}

double ActionableTableHeaderView::trailingOffset() const
{
    const TableView* table = tableView();
    const ScrollView* scrollView = table ? table->enclosingScrollView() : nullptr;
    if (!scrollView)
        return 0;
    const double beyond = width() - scrollView->contentView()->bounds().maxX();
    return beyond >= 0 ? -beyond : -0.0;
}

QRect ActionableTableHeaderView::buttonFrame(ImageButton* button, double right) const
{
    // Sized to fit; a hidden button takes no room.
    const QSize size = button->isHidden() ? QSize(0, 0) : button->sizeHint();
    const double y = height() * 0.5 - size.height() * 0.5;
    return QRectF(right - size.width(), y, size.width(), size.height()).toAlignedRect();
}

void ActionableTableHeaderView::layout()
{
    StyledTableHeaderView::layout();
    const QRect option = buttonFrame(optionButton_, width() + trailingOffset() - trailingInset);
    if (optionButton_->geometry() != option)
        optionButton_->setGeometry(option);
    const QRect add = buttonFrame(addItemButton_, option.x());
    if (addItemButton_->geometry() != add)
        addItemButton_->setGeometry(add);
}

} // namespace tarnkit
