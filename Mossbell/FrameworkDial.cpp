#include "Mossbell/FrameworkDial.h"

#include "Mossbell/AssetResources.h"
#include "Mossbell/AudioParameter.h"
#include "Mossbell/DialLabel.h"
#include "Mossbell/KnobControl.h"
#include "Mossbell/resource_bundle_accessor.h"

#include <map>
#include <mutex>
#include <utility>

namespace mossbell {

namespace {

// A frame of one of the framework's strips, read from its bundle the first time any dial shows
// it and kept for the process: a turning knob repaints at pointer rate and must not decode
// files. Any thread.
const ImageResource& stripFrame(DialStrip strip, int frame)
{
    static std::mutex mutex;
    static std::map<std::pair<DialStrip, int>, ImageResource> frames;
    const std::lock_guard lock(mutex);
    const auto key = std::pair(strip, frame);
    auto it = frames.find(key);
    if (it == frames.end())
        it = frames.try_emplace(key, dialFrameName(strip, frame), moduleBundle()).first;
    return it->second;
}

} // namespace

FrameworkDial::FrameworkDial(const DialLook& look, std::shared_ptr<AudioParameter> param,
                             LabelDisplayOptions labelDisplayOptions, std::shared_ptr<const LabelFormatter> formatter,
                             std::function<void()> onEditingEnded, QWidget* parent)
    : ui::Stack(ui::Axis::overlay, 0, Qt::AlignCenter, parent), look_(look), param_(std::move(param)),
      labelDisplayOptions_(std::move(labelDisplayOptions)), formatter_(std::move(formatter)),
      onEditingEnded_(std::move(onEditingEnded))
{
    const DialStrip strip = look_.strip;
    const auto frameImage = [strip](int frame, qreal pixelScale) { return stripFrame(strip, frame).image(pixelScale); };
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
