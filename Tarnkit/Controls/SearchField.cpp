#include "Tarnkit/Controls/SearchField.h"

#include "platform/foundation/FatalError.h"

#include <QMouseEvent>

namespace tarnkit {

SearchField::SearchField(QWidget* parent) : SearchField(std::make_unique<SearchFieldCell>(), parent)
{
}

SearchField::SearchField(std::unique_ptr<SearchFieldCell> cell, QWidget* parent) : TextField(std::move(cell), parent)
{
}

void SearchField::setCell(std::unique_ptr<Cell> cell)
{
    if (!dynamic_cast<SearchFieldCell*>(cell.get()))
        foundation::fatalError("a search field's cell must be a SearchFieldCell", "Tarnkit/SearchField", __LINE__);
    TextField::setCell(std::move(cell));
}

bool SearchField::inCancelButton(const QPointF& point) const
{
    const Rect cancel = searchCell().cancelButtonRect(bounds());
    return cancel.hasNonZeroDimensions() && viewFlip(*this).map(cancel).contains(point);
}

void SearchField::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && isEnabled() && inCancelButton(event->position())) {
        trackingCancel_ = true;
        searchCell().cancelButtonCell().highlight(true, bounds(), *this);
        event->accept();
        return;
    }
    TextField::mousePressEvent(event);
}

void SearchField::mouseMoveEvent(QMouseEvent* event)
{
    if (!trackingCancel_) {
        TextField::mouseMoveEvent(event);
        return;
    }
    const bool inside = inCancelButton(event->position());
    if (inside != searchCell().cancelButtonCell().isHighlighted())
        searchCell().cancelButtonCell().highlight(inside, bounds(), *this);
}

void SearchField::mouseReleaseEvent(QMouseEvent* event)
{
    if (!trackingCancel_ || event->button() != Qt::LeftButton) {
        TextField::mouseReleaseEvent(event);
        return;
    }
    trackingCancel_ = false;
    const bool inside = inCancelButton(event->position());
    searchCell().cancelButtonCell().highlight(false, bounds(), *this);
    if (inside) {
        setStringValue(QString());
        emit action();
    }
}

} // namespace tarnkit
