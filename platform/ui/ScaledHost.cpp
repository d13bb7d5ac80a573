#include "platform/ui/ScaledHost.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace ui {

ScaledHost::ScaledHost(QSizeF designSize, QWidget* parent) : QGraphicsView(parent), designSize_(designSize)
{
    setScene(new QGraphicsScene(this));
    scene()->setSceneRect(QRectF(QPointF(0, 0), designSize_));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTransformationAnchor(QGraphicsView::NoAnchor);
    setResizeAnchor(QGraphicsView::NoAnchor);
    setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    applyScale();
}

ScaledHost::~ScaledHost() = default;

void ScaledHost::setContent(QWidget* content)
{
    if (proxy_) {
        scene()->removeItem(proxy_);
        delete proxy_;
        proxy_ = nullptr;
    }
    if (!content)
        return;
    content->setFixedSize(QSize(int(std::round(designSize_.width())), int(std::round(designSize_.height()))));
    proxy_ = scene()->addWidget(content);
    proxy_->setPos(0, 0);
}

QWidget* ScaledHost::content() const
{
    return proxy_ ? proxy_->widget() : nullptr;
}

qreal ScaledHost::scaleFor(QSizeF available, QSizeF design)
{
    if (design.isEmpty())
        return 1.0;
    const qreal byWidth = available.width() / design.width();
    const qreal byHeight = available.height() / design.height();
    return std::max(0.0, std::min(byWidth, byHeight));
}

QSize ScaledHost::sizeHint() const
{
    return designSize_.toSize();
}

void ScaledHost::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
    applyScale();
}

void ScaledHost::applyScale()
{
    scale_ = scaleFor(QSizeF(viewport()->size()), designSize_);
    setTransform(QTransform::fromScale(scale_, scale_));
    // The scene stays anchored at the top-left whatever the scroll position Qt kept.
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

} // namespace ui
