#include "extension/DialParts.h"

#include "extension/ExtensionResources.h"
#include "extension/ResourceBundleClass.h"
#include "extension/Settings.h"

#include "Mossbell/AssetResources.h"
#include "Mossbell/DialLabel.h"
#include "Mossbell/Extensions.h"
#include "Mossbell/LabelDisplayOptions.h"
#include "Mossbell/MossFont.h"
#include "Mossbell/StripFrames.h"
#include "platform/ui/BasicViews.h"

#include <algorithm>

namespace zindle {

namespace {

using mossbell::ParameterEditor;
using mossbell::ParameterEditorState;

// The label's sizes, in points.
constexpr qreal nameFontSize = 13.0;
constexpr qreal valueFontSize = 18.0;
constexpr qreal editingFontSize = 18.0;
constexpr qreal fieldWidth = 60.0;

// A meter shows nothing below this share of its range.
constexpr double meterFloor = 0.05;

// The extension's strips, counted from frame 0.
const mossbell::StripFrames<DialStrip, allDialStrips.size()> stripFrames(resourceBundle, dialFrameName, 0);

} // namespace

int knobFrame(float value, const mossbell::AudioParameter::ValueRange& range, int imageCount)
{
    const int lastFrame = std::max(imageCount - 1, 0);
    const double place = (double(value) - range.lower) / (double(range.upper) - range.lower);
    return int(mossbell::clamped(place * lastFrame, mossbell::ClosedRange{0.0, double(lastFrame)}));
}

int meterFrame(double level, int lastFrame)
{
    const double share = level / 100.0;
    if (share < meterFloor)
        return 0;
    return int(mossbell::clamped(share * lastFrame, mossbell::ClosedRange{0.0, double(std::max(lastFrame, 0))}));
}

QImage dialFrameImage(DialStrip strip, int frame, qreal pixelScale)
{
    return stripFrames.image(strip, frame, pixelScale);
}

ui::ImageView* makeStripView(DialStrip strip, const foundation::Observed<int>& frame)
{
    return new ui::ImageView(
        [strip, &frame](qreal pixelScale) { return dialFrameImage(strip, frame.get(), pixelScale); });
}

void returnKeyboardFocus(const Settings& settings)
{
    QWidget* window = settings.pluginWindow();
    if (!window)
        return;
    QWidget* responder = settings.pluginMainResponder();
    if (responder && (responder == window || window->isAncestorOf(responder)))
        responder->setFocus(Qt::OtherFocusReason);
    else
        window->setFocus(Qt::OtherFocusReason);
}

mossbell::DialLabel* makeDialLabel(std::shared_ptr<Settings> settings, std::shared_ptr<mossbell::AudioParameter> param,
                                   ColorAsset nameColor, ColorAsset valueColor)
{
    const mossbell::LabelDisplayOptions options(Colors::of(valueColor).value(), nameFontSize, valueFontSize,
                                                editingFontSize, true, true, fieldWidth);
    return new mossbell::DialLabel(std::move(param), Colors::of(nameColor).value(), options, mossbell::MossFont::zindle,
                                   nullptr, [settings = std::move(settings)] { returnKeyboardFocus(*settings); });
}

DialGestures::DialGestures(std::shared_ptr<mossbell::AudioParameter> param) : param_(std::move(param)) {}

DialGestures::~DialGestures()
{
    if (!view_)
        return;
    view_->gestures().cancel();
    view_->gestures() = ui::GestureRecognizer();
}

void DialGestures::attach(ui::View& view)
{
    view_ = &view;
    ui::GestureRecognizer& gestures = view.gestures();
    gestures.setDrag({minimumDragDistance, [this](const ui::DragValue& drag) { dragChanged(drag.location.y()); },
                      [this](const ui::DragValue&) { dragEnded(); }});
    gestures.addTap({2, {}, [this] { reset(); }});
    gestures.addTap({1, ui::optionModifier, [this] { reset(); }});
}

void DialGestures::dragChanged(qreal y)
{
    // The parameter's value is current here: the main queue runs before each input event.
    const float current = param_->value();
    if (!lastDragValue_) {
        // The start: the host hears a touch with the value as it is.
        param_->setBeingInteractivelyEdited(true);
        param_->setValue(current, ParameterEditor::ui, ParameterEditorState::beginInteractive);
    } else {
        const auto& range = param_->valueRange();
        const double travel = *lastDragValue_ - y; // moving up is positive
        const double moved = current + travel * rangePerPoint * (double(range.upper) - range.lower);
        param_->setValue(mossbell::clamped(float(moved), mossbell::ClosedRange{range.lower, range.upper}),
                         ParameterEditor::ui, ParameterEditorState::change);
    }
    lastDragValue_ = y;
}

void DialGestures::dragEnded()
{
    lastDragValue_.reset();
    param_->setBeingInteractivelyEdited(false);
    param_->setValue(param_->value(), ParameterEditor::ui, ParameterEditorState::endInteractive);
}

void DialGestures::reset()
{
    param_->setValue(param_->defaultValue(), ParameterEditor::ui, ParameterEditorState::change);
}

} // namespace zindle
