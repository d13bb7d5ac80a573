#pragma once

#include "platform/foundation/Observation.h"
#include "platform/ui/View.h"

#include <QImage>

#include <functional>
#include <memory>
#include <optional>

namespace mossbell {

class AudioParameter;

/// A knob that shows one frame of an image strip for the value of a parameter.
///
/// - A vertical drag turns it: after knobMinDrag points of travel the drag begins (a touch
///   for the host, with the value unchanged); then each point upwards raises the 0 to 1
///   position of the parameter's travel by knobDragScaleFactor, downwards lowers it, pinned at
///   both ends; the release ends the gesture with the value reached.
/// - A double click or an Option-click resets the parameter to its default as one change.
/// - The frame follows the parameter's value whoever changes it (drag, label entry, reset,
///   host automation), through the parameter's own value-to-position travel.
///
/// The knob draws what its content gives for the frame, centred in its bounds; its natural
/// size is that image's, so only the image takes the pointer. The owner puts it in a frame.
///
/// Main thread, like every view.
class KnobControl : public ui::View {
public:
    /// The image of frame frameIndex (1 to imageCount) for a pixel scale (1 at 1x, 2 at 2x):
    /// a strip is a set of images, and the scale picks the representation when the knob is
    /// drawn scaled. It runs while the knob paints, so what it reads of observable models
    /// repaints the knob too.
    using Content = std::function<QImage(int frameIndex, qreal pixelScale)>;

    /// imageCount is at least 1.
    KnobControl(std::shared_ptr<AudioParameter> param, qreal knobMinDrag, float knobDragScaleFactor, int imageCount,
                Content content, QWidget* parent = nullptr);
    /// Ends a drag in progress, as its release would.
    ~KnobControl() override;

    const std::shared_ptr<AudioParameter>& param() const { return param_; }
    /// Points the pointer travels before a drag begins.
    qreal knobMinDrag() const { return knobMinDrag_; }
    /// Change of the 0 to 1 position per point of vertical travel.
    float knobDragScaleFactor() const { return knobDragScaleFactor_; }
    int imageCount() const { return imageCount_; }

    /// The frame shown, 1 to imageCount.
    int imageIndex() const { return imageIndex_.get(); }
    /// A drag is under way (between its first change and its end).
    bool isDragging() const { return lastDragValue_.has_value(); }

protected:
    void paint(QPainter& painter) override;
    void observedChange() override;

private:
    void dragChanged(qreal y);
    void dragEnded();
    void reset();
    void updateNaturalSize();

    std::shared_ptr<AudioParameter> param_;
    qreal knobMinDrag_;
    float knobDragScaleFactor_;
    int imageCount_;
    Content content_;

    // The vertical location of the previous change of the drag under way, and the unrounded
    // value it has reached: the drag works from its own value, so an indexed parameter moves
    // only when the travel crosses a half step, and values arriving meanwhile do not move it.
    std::optional<qreal> lastDragValue_;
    std::optional<float> continuousDragValue_;
    // Read while painting, so a new frame repaints the knob and nothing else does.
    foundation::Observed<int> imageIndex_{1};
    foundation::ObservationToken valueObservation_;
};

} // namespace mossbell
