#include "Tarnkit/Controls/Button.h"

#include "platform/foundation/FatalError.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace tarnkit {

namespace {

constexpr const char* source = "Tarnkit/Button";

} // namespace

Button::Button(std::unique_ptr<ButtonCell> cell, QWidget* parent) : Control(std::move(cell), parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
}

void Button::setCell(std::unique_ptr<Cell> cell)
{
    if (!dynamic_cast<ButtonCell*>(cell.get()))
        foundation::fatalError("a button's cell must be a ButtonCell", source, __LINE__);
    Control::setCell(std::move(cell));
}

void Button::contentChanged()
{
    invalidateIntrinsicContentSize();
    update();
}

void Button::setTitle(const QString& title)
{
    cell().setTitle(title);
    contentChanged();
}

void Button::setImage(ImageRef image)
{
    cell().setImage(std::move(image));
    contentChanged();
}

void Button::setImagePosition(ImagePosition position)
{
    buttonCell().setImagePosition(position);
    contentChanged();
}

void Button::setImageScaling(ImageScaling scaling)
{
    buttonCell().setImageScaling(scaling);
    update();
}

void Button::setState(ControlStateValue state)
{
    cell().setStateValue(state);
    update();
}

void Button::setButtonType(ButtonType type)
{
    buttonCell().setButtonType(type);
    update();
}

void Button::setBordered(bool bordered)
{
    cell().setBordered(bordered);
    contentChanged();
}

void Button::setBezelStyle(BezelStyle style)
{
    buttonCell().setBezelStyle(style);
    update();
}

void Button::highlight(bool flag)
{
    cell().highlight(flag, bounds(), *this);
}

void Button::performClick()
{
    requireMainThread(source, __LINE__);
    if (!cell().isEnabled())
        return;
    buttonCell().setNextState();
    update();
    emit action();
}

void Button::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !cell().isEnabled() || tracking_ != Tracking::none) {
        Control::mousePressEvent(event);
        return;
    }
    tracking_ = Tracking::mouse;
    highlight(true);
}

void Button::mouseMoveEvent(QMouseEvent* event)
{
    if (tracking_ != Tracking::mouse) {
        Control::mouseMoveEvent(event);
        return;
    }
    const bool inside = rect().contains(event->position().toPoint());
    if (inside != cell().isHighlighted())
        highlight(inside);
}

void Button::mouseReleaseEvent(QMouseEvent* event)
{
    if (tracking_ != Tracking::mouse || event->button() != Qt::LeftButton) {
        Control::mouseReleaseEvent(event);
        return;
    }
    tracking_ = Tracking::none;
    const bool inside = rect().contains(event->position().toPoint());
    highlight(false);
    if (inside)
        performClick();
}

void Button::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Space || event->modifiers() != Qt::NoModifier) {
        Control::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat() && tracking_ == Tracking::none && cell().isEnabled()) {
        tracking_ = Tracking::key;
        highlight(true);
    }
}

void Button::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Space || event->isAutoRepeat() || tracking_ != Tracking::key) {
        Control::keyReleaseEvent(event);
        return;
    }
    tracking_ = Tracking::none;
    highlight(false);
    performClick();
}

void Button::focusOutEvent(QFocusEvent* event)
{
    // A key press in progress ends without a click when the focus leaves.
    if (tracking_ == Tracking::key) {
        tracking_ = Tracking::none;
        highlight(false);
    }
    Control::focusOutEvent(event);
}

} // namespace tarnkit
