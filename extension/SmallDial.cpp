#include "extension/SmallDial.h"

#include "extension/Settings.h"

#include "Mossbell/AudioParameter.h"
#include "Mossbell/DialLabel.h"
#include "platform/ui/BasicViews.h"

#include <QShowEvent>

namespace zindle {

namespace {

// The knob strip of each colour, by SmallDialColor.
constexpr DialStrip knobStrips[] = {DialStrip::knobSmallBlue, DialStrip::knobSmallYellow, DialStrip::knobSmallRed};

constexpr ui::Frame knobFrameSize{74.0, 84.0};
constexpr qreal knobOffset = -16.0;
constexpr qreal labelOffset = 50.0;

} // namespace

SmallDial::SmallDial(std::shared_ptr<Settings> settings, std::shared_ptr<mossbell::AudioParameter> param,
                     SmallDialColor color, int imageCount, QWidget* parent)
    : ui::Stack(ui::Axis::overlay, 0, Qt::AlignCenter, parent), settings_(std::move(settings)),
      param_(std::move(param)),
      color_(color), imageCount_(imageCount), gestures_(param_)
{
    knobView_ = add(makeStripView(knobStrips[int(color_)], imageIndex_),
                    ui::Placement{knobFrameSize, {}, QPointF(0, knobOffset)});
    gestures_.attach(*knobView_);
    label_ = add(makeDialLabel(settings_, param_, ColorAsset::labels, ColorAsset::values),
                 ui::Placement{{}, {}, QPointF(0, labelOffset)});

    valueObservation_ = param_->observeValue([this](float value) { updateImageIndex(value); });
}

SmallDial::~SmallDial() = default;

QString SmallDial::knobFrameName() const { return dialFrameName(knobStrips[int(color_)], imageIndex()); }

void SmallDial::showEvent(QShowEvent* event)
{
    ui::Stack::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    updateImageIndex(param_->value());
}

void SmallDial::updateImageIndex(float value) { imageIndex_.set(knobFrame(value, param_->valueRange(), imageCount_)); }

} // namespace zindle
