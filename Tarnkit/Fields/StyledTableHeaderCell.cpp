#include "Tarnkit/Fields/StyledTableHeaderCell.h"

#include "Tarnkit/Foundation/Image.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace tarnkit {

namespace {

constexpr double firstColumnInset = 4;
constexpr double columnInset = 1;
constexpr double firstColumnLimit = 5;

} // namespace

StyledTableHeaderCell::StyledTableHeaderCell(QString title, ImageRef image)
    : TableHeaderCell(std::move(title)), tintColor_(controlBackgroundColor())
{
    setImage(std::move(image));
}

TableViewStyle& StyledTableHeaderCell::classStyle()
{
    // Made once and kept for the whole run.
    static TableViewStyle* const style = new TableViewStyle();
    return *style;
}

StyledControlState StyledTableHeaderCell::controlState() const
{
    StyledControlState state = StyledControlState::defaultState;
    if (!isEnabled())
        state.formUnion(StyledControlState::disabled);
    if (isHighlighted())
        state.formUnion(StyledControlState::highlighted);
    return state;
}

Rect StyledTableHeaderCell::titleRect(const Rect& f) const
{
    double lineHeight = 0;
    if (const FontRef& cellFont = font()) {
        const QFontMetricsF metrics(*cellFont);
        lineHeight = metrics.ascent() + metrics.descent(); // ascender − (negative) descender
    }
    const double dy = std::floor((f.height() - lineHeight) * 0.5);
    const double dx = f.minX() < firstColumnLimit ? firstColumnInset : columnInset;
    return Rect(f.x() + dx, f.y() + dy, f.width() - 2 * dx, f.height() - 2 * dy);
}

Rect StyledTableHeaderCell::imageRect(const Rect& f) const
{
    if (!image() || image()->isNull())
        return {};
    const QSizeF size = image()->size();
    return Rect(f.minX() + (f.width() - size.width()) * 0.5, (f.height() - size.height()) * 0.5, size.width(),
                size.height());
}

void StyledTableHeaderCell::draw(QPainter& painter, const Rect& frame, QWidget& view)
{
    requireMainThread("Tarnkit/StyledTableHeaderCell", __LINE__);
    fill(painter, tintColor_, frame, view);
    const VerticalFlip flip = viewFlip(view);
    if (const AttributedString title = attributedStringValue(); !title.isEmpty()) {
        painter.save();
        title.draw(painter, flip.map(titleRect(frame)));
        painter.restore();
    }
    if (image() && !image()->isNull())
        image()->draw(painter, flip.map(imageRect(frame)));
}

void StyledTableHeaderCell::highlight(bool flag, const Rect&, QWidget& view)
{
    setHighlighted(flag);
    view.update();
}

} // namespace tarnkit
