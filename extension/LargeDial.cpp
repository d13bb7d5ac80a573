#include "extension/LargeDial.h"

#include "extension/ExtensionResources.h"

#include "Mossbell/AudioParameter.h"
#include "Mossbell/DialLabel.h"
#include "platform/ui/BasicViews.h"

#include <QShowEvent>

namespace zindle {

namespace {

// What each style draws, by LargeDialStyle.
struct Look {
    DialStrip knob;
    DialStrip meter;
    qreal knobOffset; // points, negative is up
    ColorAsset nameColor;
    ColorAsset valueColor;
    bool area; // the "modern-area" panel behind everything
};

constexpr Look looks[] = {
    {DialStrip::knobBigWhite, DialStrip::modernMeter, -17.0, ColorAsset::labels, ColorAsset::values, true},
    {DialStrip::knobChickenhead, DialStrip::retroMeter, -18.0, ColorAsset::background, ColorAsset::background, false},
};

constexpr qreal labelOffset = 80.0;
constexpr qreal meterOffset = -24.0;
constexpr qreal areaCaps = 12.0;

constexpr const Look& lookOf(LargeDialStyle style) { return looks[int(style)]; }

/// The meter's top frame: 25 modern, 18 retro.
constexpr int lastMeterFrame(LargeDialStyle style) { return dialStripInfo(lookOf(style).meter).frameCount - 1; }
static_assert(lastMeterFrame(LargeDialStyle::modern) == 25 && lastMeterFrame(LargeDialStyle::retro) == 18);

} // namespace

LargeDial::LargeDial(std::shared_ptr<Settings> settings, std::shared_ptr<mossbell::AudioParameter> param,
                     LevelBinding volume, LargeDialStyle style, int dialImageCount, QWidget* parent)
    : ui::Stack(ui::Axis::overlay, 0, Qt::AlignCenter, parent), settings_(std::move(settings)),
      param_(std::move(param)),
      volume_(volume), style_(style), dialImageCount_(dialImageCount), gestures_(param_)
{
    const Look& look = lookOf(style_);
    if (look.area) {
        auto* area = new ui::ImageView([](qreal pixelScale) { return Images::modernArea().image(pixelScale); });
        area->resizable(QMarginsF(areaCaps, areaCaps, areaCaps, areaCaps), ui::ResizingMode::tile);
        add(area);
    }
    knobView_ = add(makeStripView(look.knob, imageIndex_), ui::Placement{{}, {}, QPointF(0, look.knobOffset)});
    label_ = add(makeDialLabel(settings_, param_, look.nameColor, look.valueColor),
                 ui::Placement{{}, {}, QPointF(0, labelOffset)});
    meterView_ = add(makeStripView(look.meter, meterIndex_), ui::Placement{{}, {}, QPointF(0, meterOffset)});
    gestures_.attach(*meterView_);

    valueObservation_ = param_->observeValue([this](float value) { updateImageIndex(value); });
    volumeObservation_ = ((*settings_).*volume_.observe)([this](double level) { updateMeterIndex(level); });
}

LargeDial::~LargeDial() = default;

QString LargeDial::knobFrameName() const { return dialFrameName(lookOf(style_).knob, imageIndex()); }

QString LargeDial::meterFrameName() const { return dialFrameName(lookOf(style_).meter, meterIndex()); }

void LargeDial::showEvent(QShowEvent* event)
{
    ui::Stack::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    updateImageIndex(param_->value());
    updateMeterIndex(((*settings_).*volume_.level)());
}

void LargeDial::updateImageIndex(float value)
{
    imageIndex_.set(knobFrame(value, param_->valueRange(), dialImageCount_));
}

void LargeDial::updateMeterIndex(double level) { meterIndex_.set(meterFrame(level, lastMeterFrame(style_))); }

} // namespace zindle
