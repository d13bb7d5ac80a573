#include "Tarnkit/Controls/StyledSegmentedCell.h"

#include "Tarnkit/Controls/FocusRing.h"
#include "Tarnkit/Foundation/Image.h"

#include <QWidget>

namespace tarnkit {

namespace {

// The segments keep their ring 2 points inside the tab.
constexpr double segmentRingInset = 2;

} // namespace

StyledSegmentedCell::StyledSegmentedCell() = default;

SegmentedCellStyle& StyledSegmentedCell::classStyle()
{
    static SegmentedCellStyle* const style = new SegmentedCellStyle();
    return *style;
}

SegmentedCellStyle& StyledSegmentedCell::style() const
{
    return classStyle();
}

StyledControlState StyledSegmentedCell::controlState(int segment) const
{
    StyledControlState state = StyledControlState::defaultState;
    if (!isEnabled())
        state.formUnion(StyledControlState::disabled);
    if (segment == pressedSegment())
        state.formUnion(StyledControlState::highlighted);
    if (segment == selectedSegment() && !hideSelection_)
        state.formUnion(StyledControlState::selected);
    return state;
}

Rect StyledSegmentedCell::bezelRect(int segment, const Rect& frame) const
{
    const ImageRef image = style().bezelImage(controlState(segment));
    const double imageHeight = image ? image->size().height() : 0;
    const EdgeInsets margin = style().segmentMargin();
    const Rect r = Rect(frame.x() + margin.left, frame.y() + margin.bottom, frame.width() - horizontal(margin),
                        imageHeight - vertical(margin))
                       .integral();
    return r.centerY(frame, 1).integral();
}

TitleAttributes StyledSegmentedCell::titleAttributes(StyledControlState state) const
{
    return {*style().font(), *style().textColor(state), {TextAlignment::center, std::nullopt}};
}

void StyledSegmentedCell::setWidth(double width, int segment)
{
    const QString text = label(segment);
    if (!text.isEmpty() && font()) {
        const EdgeInsets padding = style().segmentPadding();
        width = AttributedString(text, *font(), {}).size().width + padding.left + padding.right;
    }
    SegmentedCell::setWidth(width, segment);
}

BackgroundStyle StyledSegmentedCell::interiorBackgroundStyle() const
{
    return style().interiorBackgroundStyle();
}

BackgroundStyle StyledSegmentedCell::interiorBackgroundStyle(int) const
{
    return interiorBackgroundStyle();
}

Rect StyledSegmentedCell::focusRingMaskBounds(const Rect&, const QWidget&) const
{
    const auto cached = cachedSegmentFrames_.find(keySegment());
    if (cached == cachedSegmentFrames_.end())
        return {};
    return bezelRect(keySegment(), cached->second);
}

void StyledSegmentedCell::drawSegment(QPainter& painter, int segment, const Rect& frame, QWidget& view)
{
    cachedSegmentFrames_[segment] = frame;
    const StyledControlState state = controlState(segment);
    const Rect rect = bezelRect(segment, frame);
    drawStyledImage(painter, style().bezelImage(state), rect, view, 1.0);

    if (segment == keySegment() && focusRing::isShown(view))
        focusRing::draw(painter, view, focusRingMaskBounds(rect, view), style().focusRingColor(controlState()),
                        segmentRingInset);

    const QString text = label(segment);
    if (text.isEmpty())
        return;
    const TitleAttributes attributes = titleAttributes(state);
    const AttributedString title(text, attributes.font, attributes.foregroundColor, attributes.paragraphStyle);
    const double measured = title.size().height;
    const Rect line(rect.minX(), rect.minY() + (rect.height() - measured) * 0.5, rect.width(), measured);
    drawTextAtTop(painter, title, line, view);
}

} // namespace tarnkit
