#include "Mossbell/FrameworkDial.h"

#include "Mossbell/AssetResources.h"
#include "Mossbell/AudioParameter.h"
#include "Mossbell/DialLabel.h"
#include "Mossbell/KnobControl.h"
#include "Mossbell/StripFrames.h"
#include "Mossbell/resource_bundle_accessor.h"

namespace mossbell {

namespace {

// The framework's strips, counted from frame 1.
const StripFrames<DialStrip, allDialStrips.size()> stripFrames(moduleBundle, dialFrameName, 1);

} // namespace

FrameworkDial::FrameworkDial(const DialLook& look, std::shared_ptr<AudioParameter> param,
                             LabelDisplayOptions labelDisplayOptions, std::shared_ptr<const LabelFormatter> formatter,
                             std::function<void()> onEditingEnded, QWidget* parent)
    : ui::Stack(ui::Axis::overlay, 0, Qt::AlignCenter, parent), look_(look), param_(std::move(param)),
      labelDisplayOptions_(std::move(labelDisplayOptions)), formatter_(std::move(formatter)),
      onEditingEnded_(std::move(onEditingEnded))
{
    const DialStrip strip = look_.strip;
    const auto frameImage = [strip](int frame, qreal pixelScale) { return stripFrames.image(strip, frame, pixelScale); };
    knob_ = add(new KnobControl(param_, look_.knobMinDrag, look_.knobDragScaleFactor, imageCount(), frameImage),
                ui::Placement{ui::Frame{look_.imageFrame.width(), look_.imageFrame.height()}, {},
                              QPointF(0, look_.imageOffset)});
    // The label's own formatter defaults to one decimal place when the dial was given none.
    label_ = add(new DialLabel(param_, ColorResource::of(look_.nameColor).value(), labelDisplayOptions_, look_.font,
                               formatter_, onEditingEnded_),
                 ui::Placement{{}, {}, QPointF(0, look_.labelOffset)});
}

FrameworkDial::~FrameworkDial() = default;

int FrameworkDial::imageCount() const { return dialStripInfo(look_.strip).frameCount; }

} // namespace mossbell
