#pragma once

#include "Tarnkit/Foundation/CheckBoxCellStyle.h"
#include "Tarnkit/Foundation/ControlStyle.h"
#include "Tarnkit/Foundation/SliderCellStyle.h"
#include "Tarnkit/Foundation/StyledControl.h"
#include "Tarnkit/Foundation/StyledView.h"
#include "Tarnkit/Foundation/TableViewStyle.h"

#include <concepts>
#include <type_traits>
#include <utility>

// What a styled control draws with right now: its class's style asked at its current state.
// Each lookup exists for the types whose style() is of the class it needs, as their own
// (covariant) style() declares it. Main thread.
namespace tarnkit {

template <class T>
using StyleOf = std::remove_cvref_t<decltype(std::declval<const T&>().style())>;

template <class T, class S>
concept StyledControlWith = std::derived_from<T, StyledControl> && std::derived_from<T, StyledView>
                            && std::derived_from<StyleOf<T>, S>;

template <StyledControlWith<ControlStyle> T>
ColorRef styleFocusRingColor(const T& control)
{
    return control.style().focusRingColor(control.controlState());
}

template <StyledControlWith<ControlStyle> T>
ColorRef styleTextColor(const T& control)
{
    return control.style().textColor(control.controlState());
}

template <StyledControlWith<ControlStyle> T>
ColorRef styleTextBackgroundColor(const T& control)
{
    return control.style().textBackgroundColor(control.controlState());
}

template <StyledControlWith<ControlStyle> T>
ImageRef styleBezelImage(const T& control)
{
    return control.style().bezelImage(control.controlState());
}

template <StyledControlWith<SliderCellStyle> T>
ImageRef styleBarImage(const T& control)
{
    return control.style().barImage(control.controlState());
}

template <StyledControlWith<SliderCellStyle> T>
ImageRef styleKnobImage(const T& control)
{
    return control.style().knobImage(control.controlState());
}

template <StyledControlWith<TableViewStyle> T>
ColorRef rowBackgroundColor(const T& control)
{
    return control.style().rowBackgroundColor(control.controlState());
}

template <StyledControlWith<CheckBoxCellStyle> T>
ImageRef styleImage(const T& control)
{
    return control.style().image(control.controlState());
}

} // namespace tarnkit
