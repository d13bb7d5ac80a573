#include "platform/ui/BasicViews.h"

#include <QFontMetricsF>
#include <QPainter>

namespace ui {

ImageView::ImageView(ImageProvider image, QWidget* parent) : View(parent), image_(std::move(image))
{
    updateNaturalSize();
}

ImageView& ImageView::resizable(QMarginsF capInsets, ResizingMode mode)
{
    mode_ = Mode::resizable;
    capInsets_ = capInsets;
    resizingMode_ = mode;
    setFlexible(Qt::Horizontal | Qt::Vertical);
    update();
    return *this;
}

ImageView& ImageView::scaledToFit()
{
    mode_ = Mode::fit;
    setFlexible(Qt::Horizontal | Qt::Vertical);
    update();
    return *this;
}

void ImageView::updateNaturalSize()
{
    setNaturalSize(pointSize(image_(1.0)));
}

void ImageView::observedChange()
{
    updateNaturalSize();
}

void ImageView::paint(QPainter& painter)
{
    const QImage image = image_(pixelScale(painter));
    switch (mode_) {
    case Mode::natural: drawImageCentred(painter, rect(), image); break;
    case Mode::resizable: drawResizableImage(painter, rect(), image, capInsets_, resizingMode_); break;
    case Mode::fit: drawImageScaledToFit(painter, rect(), image); break;
    }
}

ColorView::ColorView(QColor color, QWidget* parent) : View(parent), color_(color)
{
    setFlexible(Qt::Horizontal | Qt::Vertical);
}

void ColorView::paint(QPainter& painter)
{
    painter.fillRect(rect(), color_);
}

TextView::TextView(std::function<QString()> text, QFont font, QColor color, QWidget* parent)
    : View(parent), text_(std::move(text)), font_(std::move(font)), color_(color)
{
    updateNaturalSize();
}

void TextView::updateNaturalSize()
{
    setNaturalSize(textSize(text_(), font_));
}

void TextView::observedChange()
{
    updateNaturalSize();
}

void TextView::paint(QPainter& painter)
{
    painter.setFont(font_);
    painter.setPen(color_);
    painter.drawText(rect(), Qt::AlignCenter, text_());
}

QSizeF textSize(const QString& text, const QFont& font)
{
    const QFontMetricsF metrics(font);
    return QSizeF(std::ceil(metrics.horizontalAdvance(text)), std::ceil(metrics.height()));
}

} // namespace ui
