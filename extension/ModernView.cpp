#include "extension/ModernView.h"

#include "extension/ExtensionResources.h"
#include "extension/LargeDial.h"
#include "extension/Settings.h"
#include "extension/SmallDial.h"

#include "Mossbell/ModeToggleButton.h"
#include "Mossbell/ParameterHoldButton.h"
#include "Mossbell/ToggleButton.h"

#include "platform/ui/BasicViews.h"

namespace zindle {

namespace {

constexpr qreal rowSpacing = 4;
constexpr int dialImageCount = 90;
constexpr qreal buttonFontSize = 13;
const ui::Frame largeDialFrame{200, 270};
// The freeze button's centre sits this far right of and below the voice dial's centre.
constexpr QPointF freezeOffset{71, 106};

/// A panel of the lower row: the tiled "modern-area" behind content, framed to size.
ui::Stack* panel(QWidget* content, qreal width, qreal height, ui::Stack& row)
{
    auto* layers = ui::zstack();
    layers->add(&(new ui::ImageView([](qreal scale) { return Images::modernArea().image(scale); }))
                     ->resizable(QMarginsF(12, 12, 12, 12), ui::ResizingMode::tile));
    layers->add(content);
    return row.add(layers, ui::Placement{ui::Frame{width, height}});
}

} // namespace

ModernView::ModernView(std::shared_ptr<Settings> settings, QWidget* parent)
    : ui::Stack(ui::Axis::vertical, rowSpacing, Qt::AlignCenter, parent)
{
    using mossbell::ToggleButtonStyle;

    // The dial row.
    auto* dials = add(ui::hstack(rowSpacing));
    auto* voiceGroup = dials->add(ui::zstack());
    voiceInputDial_ = voiceGroup->add(new LargeDial(settings, settings->voiceInputGain(), LevelBinding::voiceIn(),
                                                    LargeDialStyle::modern, dialImageCount),
                                      ui::Placement{largeDialFrame});
    freezeButton_ = voiceGroup->add(new mossbell::ParameterHoldButton(settings->voiceFreeze(), Images::modernButtonFreeze(),
                                                                      Images::modernButtonFreezeDown()),
                                    ui::Placement{{}, {}, freezeOffset});
    synthInputDial_ = dials->add(new LargeDial(settings, settings->synthInputGain(), LevelBinding::synthIn(),
                                               LargeDialStyle::modern, dialImageCount),
                                 ui::Placement{largeDialFrame});
    outputDial_ = dials->add(
        new LargeDial(settings, settings->outputGain(), LevelBinding::out(), LargeDialStyle::modern, dialImageCount),
        ui::Placement{largeDialFrame});

    // The panel row.
    auto* panels = add(ui::hstack(rowSpacing));

    auto* voice = ui::hstack(16);
    voice->setPadding(QMarginsF(12, 0, 8, 0));
    auto* modes = voice->add(ui::vstack(2));
    for (int index = 0; index < 4; ++index) {
        voiceModeButtons_[std::size_t(index)] = modes->add(new mossbell::ModeToggleButton(
            settings->voiceMode(), index, Colors::buttonBlue().value(), ToggleButtonStyle::modern, buttonFontSize));
    }
    auto* noise = voice->add(ui::hstack(12));
    const ui::Placement smallDialWidth{ui::Frame{90, std::nullopt}};
    unvoicedLevelDial_ = noise->add(
        new SmallDial(settings, settings->whiteNoiseLevel(), SmallDialColor::blue, dialImageCount), smallDialWidth);
    thresholdDial_ = noise->add(
        new SmallDial(settings, settings->whiteNoiseThreshold(), SmallDialColor::blue, dialImageCount), smallDialWidth);
    panel(voice, 302, 144, *panels);

    qualityDial_ = new SmallDial(settings, settings->vocoderQuality(), SmallDialColor::yellow, dialImageCount);
    panel(qualityDial_, 98, 144, *panels);

    auto* tone = ui::hstack(16);
    tone->setPadding(QMarginsF(8, 0, 12, 0));
    shiftDial_ = tone->add(new SmallDial(settings, settings->formantShift(), SmallDialColor::red, dialImageCount));
    auto* switches = tone->add(ui::vstack(2));
    const std::array toggled = {settings->compress(), settings->crush(), settings->highPassFilter(),
                                settings->lowPassFilter()};
    for (std::size_t index = 0; index < toggled.size(); ++index) {
        toggleButtons_[index] = switches->add(
            new mossbell::ToggleButton(toggled[index], Colors::buttonRed().value(), std::nullopt, buttonFontSize));
    }
    panel(tone, 200, 144, *panels);
}

ModernView::~ModernView() = default;

} // namespace zindle
