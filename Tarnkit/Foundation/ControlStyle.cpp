#include "Tarnkit/Foundation/ControlStyle.h"

#include "Tarnkit/Foundation/Styles.h"

namespace tarnkit {

namespace {

// Pressed, on and mixed all take the highlighted colours.
constexpr StyledControlState highlightedLook = StyledControlState::highlighted | StyledControlState::on
                                               | StyledControlState::mixed;

bool holdsAny(StyledControlState state, StyledControlState flags)
{
    return !state.isDisjoint(flags);
}

} // namespace

ControlStyle::ControlStyle()
    : font_(Styles::Control::font()),
      textColor_(Styles::Control::textColor()),
      textBackgroundColor_(Styles::Control::background()),
      selectedFont_(Styles::Control::font()),
      selectedTextColor_(Styles::Control::selectedTextColor()),
      selectedBackgroundColor_(Styles::Control::selectedBackground()),
      disabledTextColor_(Styles::Control::disabledTextColor()),
      disabledBackgroundColor_(Styles::Control::disabledBackground()),
      highlightedTextColor_(Styles::Control::highlightedTextColor()),
      highlightedBackgroundColor_(Styles::Control::highlightedBackground()),
      invalidTextColor_(Styles::Control::errorTextColor()),
      invalidBackgroundColor_(Styles::Control::errorBackground()),
      focusRingColor_(Styles::Control::focusRingColor()),
      invalidFocusRingColor_(Styles::Control::errorFocusRingColor())
{
}

const ImageTable& ControlStyle::bezelImages() const
{
    if (!bezelImages_)
        bezelImages_.emplace();
    return *bezelImages_;
}

const ImageTable& ControlStyle::swiftUIBezelImages() const
{
    if (!swiftUIBezelImages_)
        swiftUIBezelImages_.emplace();
    return *swiftUIBezelImages_;
}

ColorRef ControlStyle::focusRingColor(StyledControlState state) const
{
    return state.contains(StyledControlState::invalid) ? invalidFocusRingColor_ : focusRingColor_;
}

ColorRef ControlStyle::textColor(StyledControlState state) const
{
    if (state.contains(StyledControlState::disabled))
        return disabledTextColor_;
    if (state.contains(StyledControlState::invalid))
        return invalidTextColor_;
    if (state.contains(StyledControlState::selected))
        return selectedTextColor_;
    if (holdsAny(state, highlightedLook))
        return highlightedTextColor_;
    return textColor_;
}

ColorRef ControlStyle::textBackgroundColor(StyledControlState state) const
{
    if (state.contains(StyledControlState::invalid))
        return invalidBackgroundColor_;
    if (holdsAny(state, highlightedLook))
        return highlightedBackgroundColor_;
    if (state.contains(StyledControlState::selected))
        return selectedBackgroundColor_;
    if (state.contains(StyledControlState::disabled))
        return disabledBackgroundColor_;
    return backgroundColor();
}

ImageRef ControlStyle::bezelImage(StyledControlState state) const
{
    return findImage(state, bezelImages());
}

} // namespace tarnkit
