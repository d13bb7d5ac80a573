#include "Tarnkit/Fields/ClipView.h"

#include "platform/foundation/NotificationCenter.h"

namespace tarnkit {

const QString ClipView::boundsDidChangeNotification = QStringLiteral("viewBoundsDidChange");
const QString ClipView::frameDidChangeNotification = QStringLiteral("viewFrameDidChange");

ClipView::ClipView(QWidget* parent) : QWidget(parent)
{
}

void ClipView::setDocumentView(QWidget* view)
{
    documentView_ = view;
    if (!view)
        return;
    view->setParent(this);
    view->move(int(-origin_.x), int(-origin_.y));
    view->show();
}

Rect ClipView::bounds() const
{
    return Rect(origin_, Size{double(width()), double(height())});
}

void ClipView::setBoundsOrigin(const Point& origin)
{
    if (origin == origin_)
        return;
    origin_ = origin;
    if (documentView_)
        documentView_->move(int(-origin.x), int(-origin.y));
    emit boundsDidChange();
    if (postsBounds_)
        foundation::NotificationCenter::defaultCenter().post(boundsDidChangeNotification, this);
}

void ClipView::frameChanged()
{
    emit frameDidChange();
    if (postsFrame_)
        foundation::NotificationCenter::defaultCenter().post(frameDidChangeNotification, this);
}

void ClipView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    frameChanged();
}

void ClipView::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    frameChanged();
}

} // namespace tarnkit
