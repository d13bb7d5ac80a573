#include "Tarnkit/Fields/TableHeaderCell.h"

#include "Tarnkit/Foundation/Image.h"
#include "Tarnkit/Foundation/Styles.h"

#include <QPainter>

namespace tarnkit {

namespace {

constexpr double titleInset = 4;

} // namespace

const ColorRef& controlBackgroundColor()
{
    static const ColorRef color = std::make_shared<const QColor>(30, 30, 30);
    return color;
}

TableHeaderCell::TableHeaderCell(QString title)
    : Cell(std::move(title)), backgroundColor_(Styles::TableHeader::background()), textColor_(Styles::TableHeader::textColor())
{
    setFont(Styles::TableHeader::font());
}

void TableHeaderCell::setStringValue(QString string)
{
    setTitle(std::move(string));
    attributedStringValue_.reset();
}

AttributedString TableHeaderCell::attributedStringValue() const
{
    if (attributedStringValue_)
        return *attributedStringValue_;
    return AttributedString(title(), *font(), textColor_ ? *textColor_ : QColor(Qt::white), paragraphStyle());
}

void TableHeaderCell::setAttributedStringValue(AttributedString value)
{
    setTitle(value.string());
    attributedStringValue_ = std::move(value);
}

Rect TableHeaderCell::titleRect(const Rect& frame) const
{
    return Rect(frame.x() + titleInset, frame.y(), frame.width() - 2 * titleInset, frame.height());
}

Rect TableHeaderCell::imageRect(const Rect& frame) const
{
    if (!image() || image()->isNull())
        return {};
    return centred(fromQt(image()->size()), frame);
}

void TableHeaderCell::fill(QPainter& painter, const ColorRef& color, const Rect& frame, const QWidget& view)
{
    if (color)
        painter.fillRect(viewFlip(view).map(frame), *color);
}

void TableHeaderCell::draw(QPainter& painter, const Rect& frame, QWidget& view)
{
    requireMainThread("Tarnkit/TableHeaderCell", __LINE__);
    if (drawsBackground_)
        fill(painter, backgroundColor_, frame, view);
    drawInterior(painter, frame, view);
}

} // namespace tarnkit
