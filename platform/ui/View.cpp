#include "platform/ui/View.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace ui {

View::View(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

View::~View() = default;

void View::setNaturalSize(QSizeF size)
{
    if (size == naturalSize_)
        return;
    naturalSize_ = size;
    updateGeometry();
}

void View::setFlexible(Qt::Orientations orientations)
{
    setSizePolicy(orientations & Qt::Horizontal ? QSizePolicy::Expanding : QSizePolicy::Fixed,
                  orientations & Qt::Vertical ? QSizePolicy::Expanding : QSizePolicy::Fixed);
}

QSize View::sizeHint() const
{
    return QSize(int(std::ceil(naturalSize_.width())), int(std::ceil(naturalSize_.height())));
}

QSize View::minimumSizeHint() const
{
    return QSize(0, 0);
}

void View::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    paintTracking_ = foundation::withObservationTracking([&] { paint(painter); },
                                                         [this] {
                                                             observedChange();
                                                             update();
                                                         });
}

void View::mousePressEvent(QMouseEvent* event)
{
    if (!gestures_.press(*event))
        QWidget::mousePressEvent(event);
}

void View::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!gestures_.doubleClick(*event))
        QWidget::mouseDoubleClickEvent(event);
}

void View::mouseMoveEvent(QMouseEvent* event)
{
    if (!gestures_.move(*event))
        QWidget::mouseMoveEvent(event);
}

void View::mouseReleaseEvent(QMouseEvent* event)
{
    if (!gestures_.release(*event))
        QWidget::mouseReleaseEvent(event);
}

void View::hideEvent(QHideEvent* event)
{
    // A view taken away mid-drag still ends its gesture, so a host never keeps a touch.
    gestures_.cancel();
    QWidget::hideEvent(event);
}

qreal pixelScale(const QPainter& painter)
{
    // The device transform holds it all: the device pixel ratio, the painter's own transform and
    // the one Qt applies when a widget is drawn through another painter (a scaled proxy widget,
    // a render into a 2x image), which the world transform does not show.
    const qreal scale = std::sqrt(std::abs(painter.deviceTransform().determinant()));
    return scale > 0 ? scale : 1.0;
}

namespace {

const char* const buttonRoleProperty = "ui.accessibleButton";

QAccessibleInterface* accessibleButtonFactory(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget && widget->property(buttonRoleProperty).toBool())
        return new QAccessibleWidget(widget, QAccessible::Button);
    return nullptr;
}

} // namespace

void setAccessibleButton(QWidget& view)
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleButtonFactory);
        return true;
    }();
    (void)installed;
    view.setProperty(buttonRoleProperty, true);
}

} // namespace ui
