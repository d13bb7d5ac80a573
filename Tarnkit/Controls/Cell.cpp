#include "Tarnkit/Controls/Cell.h"

#include "Tarnkit/Foundation/Image.h"
#include "Tarnkit/Foundation/ImageOperations.h"
#include "Tarnkit/Foundation/Styles.h"

#include "platform/foundation/MainQueue.h"

#include <QPainter>

#include <algorithm>

namespace tarnkit {

namespace {

constexpr const char* source = "Tarnkit/Cell";

bool isEmpty(const Rect& rect)
{
    return !(rect.width() > 0 && rect.height() > 0);
}

} // namespace

Rect bounds(const QWidget& view)
{
    return Rect(0, 0, view.width(), view.height());
}

VerticalFlip viewFlip(const QWidget& view)
{
    return VerticalFlip(bounds(view));
}

Rect centred(const Size& size, const Rect& frame)
{
    // Rect::center gives the offset within the frame; the frame's origin is added here.
    Rect rect = Rect(Point{}, size).center(frame, 1);
    rect.origin += frame.origin;
    return rect;
}

Rect drawTextAtTop(QPainter& painter, const AttributedString& string, const Rect& rect, const QWidget& view)
{
    const VerticalFlip flip = viewFlip(view);
    return flip.unmap(string.draw(painter, flip.map(rect)));
}

void drawStyledImage(QPainter& painter, const ImageRef& image, const Rect& rect, const QWidget& view,
                     double fraction)
{
    if (!image)
        return;
    renderedIfTemplate(image, *controlTextColor())->draw(painter, viewFlip(view).map(rect), fraction);
}

Cell::Cell(QString title) : title_(std::move(title)), font_(Styles::Control::font())
{
    requireMainThread(source, __LINE__);
}

Cell::Cell(ImageRef image) : image_(std::move(image)), font_(Styles::Control::font())
{
    requireMainThread(source, __LINE__);
}

Cell::~Cell() = default;

void Cell::requireMainThread(const char* file, int line)
{
    foundation::mainQueue::requireMainThread("a cell is used off the main thread", file, line);
}

EdgeInsets Cell::bezelInsets() const
{
    return {2, 2, 2, 2};
}

Rect Cell::drawingRect(const Rect& rect) const
{
    if (bordered_ || bezeled_)
        return rect.inset(bezelInsets(), false);
    return rect;
}

Rect Cell::titleRect(const Rect& rect) const
{
    return drawingRect(rect);
}

Rect Cell::imageRect(const Rect& rect) const
{
    if (!image_ || image_->isNull())
        return {};
    return centred(fromQt(image_->size()), drawingRect(rect));
}

Size Cell::cellSize() const
{
    Size needed = title_.isEmpty() ? Size{} : attributedTitle().size();
    if (image_)
        needed = max(needed, fromQt(image_->size()));
    if (bordered_ || bezeled_)
        needed += size(bezelInsets());
    return needed;
}

AttributedString Cell::attributedTitle() const
{
    QColor color = *controlTextColor();
    if (!enabled_)
        color.setAlphaF(color.alphaF() * 0.5f);
    return AttributedString(title_, *font_, color, paragraphStyle_);
}

Rect Cell::focusRingMaskBounds(const Rect& frame, const QWidget&) const
{
    return (bordered_ || bezeled_) ? frame : drawingRect(frame);
}

void Cell::draw(QPainter& painter, const Rect& frame, QWidget& view)
{
    requireMainThread(source, __LINE__);
    drawInterior(painter, frame, view);
}

void Cell::drawInterior(QPainter& painter, const Rect& frame, QWidget& view)
{
    if (image_ && !image_->isNull()) {
        if (const Rect rect = imageRect(frame); !isEmpty(rect))
            drawImage(painter, image_, rect, view);
    }
    if (!title_.isEmpty()) {
        const AttributedString title = attributedTitle();
        if (const Rect rect = titleRect(frame); !title.isEmpty() && !isEmpty(rect))
            drawTitle(painter, title, rect, view);
    }
}

Rect Cell::drawTitle(QPainter& painter, const AttributedString& title, const Rect& frame, QWidget& view)
{
    const Rect line = Rect(frame.x(), frame.y(), frame.width(), title.size().height).centerY(frame, 1);
    const VerticalFlip flip = viewFlip(view);
    return flip.unmap(title.draw(painter, flip.map(line)));
}

void Cell::drawImage(QPainter& painter, const ImageRef& image, const Rect& frame, QWidget& view)
{
    if (image)
        image->draw(painter, viewFlip(view).map(frame), enabled_ ? 1.0 : 0.5);
}

void Cell::drawFocusRingMask(QPainter&, const Rect&, QWidget&)
{
}

void Cell::highlight(bool flag, const Rect&, QWidget& view)
{
    highlighted_ = flag;
    view.update();
}

} // namespace tarnkit
