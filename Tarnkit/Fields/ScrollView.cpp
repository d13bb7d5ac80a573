#include "Tarnkit/Fields/ScrollView.h"

#include "Tarnkit/Fields/TableHeaderView.h"
#include "Tarnkit/Fields/TableView.h"

#include "platform/foundation/MainQueue.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace tarnkit {

ScrollView::ScrollView(QWidget* parent) : QAbstractScrollArea(parent), backgroundColor_(clearColor())
{
    foundation::mainQueue::requireMainThread("a scroll view is used off the main thread", "Tarnkit/ScrollView",
                                             __LINE__);
    setViewport(new ClipView);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The content view changes size with the scroll view and as scroll bars come and go.
    connect(contentView(), &ClipView::frameDidChange, this, &ScrollView::tile);
}

ClipView* ScrollView::contentView() const
{
    return static_cast<ClipView*>(viewport());
}

void ScrollView::setDocumentView(QWidget* view)
{
    if (QWidget* old = documentView())
        old->removeEventFilter(this);
    contentView()->setDocumentView(view);
    if (view)
        view->installEventFilter(this);
    if (auto* table = qobject_cast<TableView*>(view))
        table->tile();
    tile();
}

void ScrollView::setDrawsBackground(bool draws)
{
    drawsBackground_ = draws;
    viewport()->update();
}

void ScrollView::setBackgroundColor(ColorRef color)
{
    backgroundColor_ = color ? std::move(color) : clearColor();
    viewport()->update();
}

void ScrollView::scrollTo(const Point& origin)
{
    horizontalScrollBar()->setValue(int(std::round(origin.x)));
    verticalScrollBar()->setValue(int(std::round(origin.y)));
}

void ScrollView::tile()
{
    placeHeader();
    updateRanges();
}

void ScrollView::placeHeader()
{
    auto* table = qobject_cast<TableView*>(documentView());
    TableHeaderView* header = table ? table->headerView() : nullptr;
    if (!header) {
        if (headerClip_)
            headerClip_->hide();
        setViewportMargins(0, 0, 0, 0);
        return;
    }
    if (!headerClip_)
        headerClip_ = new ClipView(this);
    if (headerClip_->documentView() != header) {
        headerClip_->setDocumentView(header);
        // The header may have been given its table before the table came here.
        header->setTableView(table);
    }
    const int height = int(std::ceil(header->headerHeight()));
    setViewportMargins(0, height, 0, 0);
    const QRect content = viewport()->geometry();
    headerClip_->setGeometry(content.x(), content.y() - height, content.width(), height);
    headerClip_->setBoundsOrigin({contentView()->bounds().x(), 0});
    headerClip_->show();
}

void ScrollView::updateRanges()
{
    const QWidget* document = documentView();
    const QSize content = viewport()->size();
    const QSize size = document ? document->size() : QSize();
    horizontalScrollBar()->setRange(0, std::max(0, size.width() - content.width()));
    verticalScrollBar()->setRange(0, std::max(0, size.height() - content.height()));
    horizontalScrollBar()->setPageStep(content.width());
    verticalScrollBar()->setPageStep(content.height());
    const auto* table = qobject_cast<const TableView*>(document);
    verticalScrollBar()->setSingleStep(table ? int(table->rowHeight()) : 10);
    horizontalScrollBar()->setSingleStep(10);
}

void ScrollView::scrollContentsBy(int, int)
{
    const Point origin{double(horizontalScrollBar()->value()), double(verticalScrollBar()->value())};
    contentView()->setBoundsOrigin(origin);
    if (headerClip_)
        headerClip_->setBoundsOrigin({origin.x, 0});
}

bool ScrollView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        if (drawsBackground_ && backgroundColor_) {
            QPainter painter(viewport());
            painter.fillRect(static_cast<QPaintEvent*>(event)->rect(), *backgroundColor_);
        }
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void ScrollView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    tile();
}

bool ScrollView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == documentView() && event->type() == QEvent::Resize)
        updateRanges();
    return QAbstractScrollArea::eventFilter(watched, event);
}

} // namespace tarnkit
