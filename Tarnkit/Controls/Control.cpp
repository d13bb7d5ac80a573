#include "Tarnkit/Controls/Control.h"

#include "Tarnkit/Foundation/ViewSugar.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace tarnkit {

namespace {

constexpr const char* source = "Tarnkit/Control";

int frameDimension(double intrinsic, double insets)
{
    return intrinsic < 0 ? -1 : int(std::ceil(intrinsic + insets));
}

} // namespace

Control::Control(std::unique_ptr<Cell> cell, QWidget* parent) : QWidget(parent)
{
    requireMainThread(source, __LINE__);
    setAttribute(Qt::WA_MacShowFocusRect, false);
    setCell(std::move(cell));
}

Control::~Control() = default;

void Control::requireMainThread(const char* file, int line)
{
    foundation::mainQueue::requireMainThread("a control is used off the main thread", file, line);
}

void Control::setCell(std::unique_ptr<Cell> cell)
{
    requireMainThread(source, __LINE__);
    if (!cell)
        foundation::fatalError("a control needs a cell", source, __LINE__);
    cell_ = std::move(cell);
    cell_->setControlView(this);
    cell_->setEnabled(isEnabled());
    updateGeometry();
    update();
}

Size Control::intrinsicContentSize() const
{
    return cell_->cellSize();
}

EdgeInsets Control::alignmentRectInsets() const
{
    return {};
}

QSize Control::sizeHint() const
{
    const Size intrinsic = intrinsicContentSize();
    const EdgeInsets insets = alignmentRectInsets();
    return QSize(frameDimension(intrinsic.width, horizontal(insets)), frameDimension(intrinsic.height, vertical(insets)));
}

bool Control::isFirstResponder() const
{
    return isFirstResponderInCurrentWindow(this);
}

Rect Control::focusRingMaskBounds() const
{
    return bounds();
}

void Control::drawFocusRingMask(QPainter&)
{
}

void Control::drawRect(QPainter& painter, const Rect&)
{
    cell_->draw(painter, bounds(), *this);
}

void Control::paintEvent(QPaintEvent* event)
{
    requireMainThread(source, __LINE__);
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    drawRect(painter, viewFlip(*this).unmap(QRectF(event->rect())));
}

void Control::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::EnabledChange:
        cell_->setEnabled(isEnabled());
        update();
        break;
    case QEvent::ActivationChange:
        // The focus ring shows only in the key window.
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void Control::focusInEvent(QFocusEvent* event)
{
    update();
    QWidget::focusInEvent(event);
}

void Control::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
}

} // namespace tarnkit
