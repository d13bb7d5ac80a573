#include "Tarnkit/Controls/ButtonCell.h"

#include "Tarnkit/Foundation/Image.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tarnkit {

namespace {

constexpr const char* source = "Tarnkit/ButtonCell";

struct ButtonBehaviour {
    ButtonType type;
    int highlightsBy;
    int showsStateBy;
    bool changesState;
};

using namespace cellStyleMask;

// What each button type highlights by and shows its state by. Only whether showsStateBy is 0
// matters to the styled cells (it decides whether on and mixed show); the masks are kept for
// cells that draw by them.
constexpr std::array<ButtonBehaviour, 8> behaviours{{
    {ButtonType::momentaryLight, changeBackground, 0, false},
    {ButtonType::pushOnPushOff, pushIn | changeBackground, changeBackground, true},
    {ButtonType::toggle, pushIn | contents, contents, true},
    {ButtonType::switchButton, contents, contents, true},
    {ButtonType::radio, contents, contents, true},
    {ButtonType::momentaryChange, contents, 0, false},
    {ButtonType::onOff, changeBackground, changeBackground, true},
    {ButtonType::momentaryPushIn, pushIn | changeGray, 0, false},
}};

const ButtonBehaviour& behaviour(ButtonType type)
{
    return *std::find_if(behaviours.begin(), behaviours.end(),
                         [type](const ButtonBehaviour& entry) { return entry.type == type; });
}

} // namespace

ButtonCell::ButtonCell(QString title) : Cell(std::move(title))
{
    setButtonType(ButtonType::momentaryPushIn);
    setBordered(true);
    setParagraphStyle({TextAlignment::center, TruncationMode::tail});
}

ButtonCell::ButtonCell(ImageRef image) : Cell(std::move(image))
{
    setButtonType(ButtonType::momentaryPushIn);
    setBordered(true);
    setParagraphStyle({TextAlignment::center, TruncationMode::tail});
    imagePosition_ = ImagePosition::imageOnly;
}

void ButtonCell::setButtonType(ButtonType type)
{
    const ButtonBehaviour& entry = behaviour(type);
    buttonType_ = type;
    highlightsBy_ = entry.highlightsBy;
    showsStateBy_ = entry.showsStateBy;
}

bool ButtonCell::changesStateOnClick() const
{
    return behaviour(buttonType_).changesState;
}

ControlStateValue ButtonCell::nextState() const
{
    if (!changesStateOnClick())
        return stateValue();
    if (buttonType_ == ButtonType::radio)
        return ControlStateValue::on;
    return stateValue() == ControlStateValue::on ? ControlStateValue::off : ControlStateValue::on;
}

StyledControlState ButtonCell::controlState() const
{
    StyledControlState state = StyledControlCell::controlState();
    if (showsStateBy_ == 0)
        state.subtract(StyledControlState::on | StyledControlState::mixed);
    return state;
}

EdgeInsets ButtonCell::bezelInsets() const
{
    return {4, 12, 4, 12};
}

ButtonCell::Content ButtonCell::content() const
{
    Content content;
    content.hasImage = image() && !image()->isNull() && imagePosition_ != ImagePosition::noImage;
    content.hasTitle = !title().isEmpty() && imagePosition_ != ImagePosition::imageOnly;
    if (content.hasImage)
        content.image = fromQt(image()->size());
    if (content.hasTitle)
        content.title = attributedTitle().size();
    return content;
}

ImagePosition ButtonCell::resolvedPosition() const
{
    const bool rightToLeft = controlView() && controlView()->layoutDirection() == Qt::RightToLeft;
    switch (imagePosition_) {
    case ImagePosition::imageLeading:
        return rightToLeft ? ImagePosition::imageRight : ImagePosition::imageLeft;
    case ImagePosition::imageTrailing:
        return rightToLeft ? ImagePosition::imageLeft : ImagePosition::imageRight;
    default:
        return imagePosition_;
    }
}

ButtonCell::Layout ButtonCell::layout(const Rect& rect) const
{
    const Rect r = drawingRect(rect);
    const Content c = content();
    if (!c.hasImage)
        return {{}, c.hasTitle ? r : Rect()};
    if (!c.hasTitle)
        return {centred(c.image, r), {}};

    switch (const ImagePosition position = resolvedPosition()) {
    case ImagePosition::imageLeft:
    case ImagePosition::imageRight: {
        const double titleWidth = std::clamp(c.title.width, 0.0, std::max(r.width() - c.image.width - imageTitleSpacing, 0.0));
        const double group = c.image.width + imageTitleSpacing + titleWidth;
        const double start = r.minX() + std::max(0.0, std::round((r.width() - group) * 0.5));
        const bool left = position == ImagePosition::imageLeft;
        const double imageX = left ? start : start + titleWidth + imageTitleSpacing;
        const double titleX = left ? start + c.image.width + imageTitleSpacing : start;
        return {Rect(imageX, r.y(), c.image.width, c.image.height).centerY(r, 1),
                Rect(titleX, r.y(), titleWidth, r.height()).integral()};
    }
    case ImagePosition::imageAbove:
    case ImagePosition::imageBelow: {
        const double line = c.title.height;
        const double group = c.image.height + imageTitleSpacing + line;
        const double bottom = r.minY() + std::max(0.0, std::round((r.height() - group) * 0.5));
        // y grows upwards: an image above the title lies at the greater y.
        const bool above = position == ImagePosition::imageAbove;
        const double imageY = above ? bottom + line + imageTitleSpacing : bottom;
        const double titleY = above ? bottom : bottom + c.image.height + imageTitleSpacing;
        return {Rect(r.x(), imageY, c.image.width, c.image.height).centerX(r, 1),
                Rect(r.x(), titleY, r.width(), line).integral()};
    }
    default:
        return {centred(c.image, r), r};
    }
}

Rect ButtonCell::titleRect(const Rect& rect) const
{
    return layout(rect).title;
}

Rect ButtonCell::imageRect(const Rect& rect) const
{
    return layout(rect).image;
}

Size ButtonCell::cellSize() const
{
    const Content c = content();
    Size needed;
    if (c.hasImage && c.hasTitle) {
        switch (resolvedPosition()) {
        case ImagePosition::imageLeft:
        case ImagePosition::imageRight:
            needed = {c.image.width + imageTitleSpacing + c.title.width, std::max(c.image.height, c.title.height)};
            break;
        case ImagePosition::imageAbove:
        case ImagePosition::imageBelow:
            needed = {std::max(c.image.width, c.title.width), c.image.height + imageTitleSpacing + c.title.height};
            break;
        default:
            needed = max(c.image, c.title);
            break;
        }
    } else {
        needed = c.hasImage ? c.image : c.title;
    }
    if (isBordered() || isBezeled())
        needed += size(bezelInsets());
    return needed;
}

void ButtonCell::draw(QPainter& painter, const Rect& frame, QWidget& view)
{
    requireMainThread(source, __LINE__);
    if (isBordered() || isBezeled())
        drawBezel(painter, frame, view);
    drawInterior(painter, frame, view);
}

void ButtonCell::drawBezel(QPainter&, const Rect&, QWidget&)
{
}

Rect ButtonCell::insetImageRect(const Rect& rect, const EdgeInsets& insets) const
{
    const Rect r = rect.inset(insets, false);
    if (imagePosition_ == ImagePosition::imageOnly)
        return r;
    return ButtonCell::imageRect(r).centerY(rect, 1);
}

} // namespace tarnkit
