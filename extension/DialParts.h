#pragma once

#include "extension/ExtensionAssets.h"

#include "Mossbell/AudioParameter.h"
#include "platform/foundation/Observation.h"

#include <QImage>
#include <QPointer>

#include <memory>
#include <optional>

namespace mossbell {
class DialLabel;
}

namespace ui {
class ImageView;
class View;
} // namespace ui

// What the extension's two dials share: the frame arithmetic, the strips' frames, the value
// label under the knob, the gestures and the return of the keyboard after a label edit.
namespace zindle {

class Settings;

/// The frame of a knob strip of imageCount frames that shows value: the value's place in range
/// (0 to 1) times the last frame, clamped to the strip first, then truncated. Any thread.
int knobFrame(float value, const mossbell::AudioParameter::ValueRange& range, int imageCount);

/// The frame of a meter strip whose last frame is lastFrame for a level from 0 to 100: 0 below
/// a level of 5, else the level's share of lastFrame, clamped to the strip first, then
/// truncated. Any thread.
int meterFrame(double level, int lastFrame);

/// Frame frame of strip at a pixel scale (2x above 1); null outside the strip. Every frame of a
/// strip is read from the extension's bundle once, on the first ask for that strip, and kept
/// for the process, so painting never reads the disk. Any thread.
QImage dialFrameImage(DialStrip strip, int frame, qreal pixelScale);

/// A view showing the frame of strip that frame holds. It reads frame while it paints, so it
/// repaints when, and only when, the frame changes. frame must outlive the view. Main thread.
ui::ImageView* makeStripView(DialStrip strip, const foundation::Observed<int>& frame);

/// Gives the keyboard back to where it was when the plug-in view appeared: to the model's
/// pluginMainResponder when it still lives in the model's pluginWindow; when only the window
/// is left, to the window itself (no control keeps the keyboard). Nothing when the window is
/// gone. Main thread.
void returnKeyboardFocus(const Settings& settings);

/// The value label of a dial: the parameter's name (13 points) over its value and unit suffix
/// (18 points) in the Zindle face, a 60-point field when edited, the default formatter; the
/// end of an edit returns the keyboard (returnKeyboardFocus). Main thread.
mossbell::DialLabel* makeDialLabel(std::shared_ptr<Settings> settings, std::shared_ptr<mossbell::AudioParameter> param,
                                   ColorAsset nameColor, ColorAsset valueColor);

/// A dial's gestures on the view that carries them, in that view's points: a vertical drag
/// that moves the parameter (up raises it, 200 points sweep the whole range), reported to the
/// host as touch, changes and release, and a reset to the default by a double click or an
/// Option click, reported as one change. Main thread.
class DialGestures {
public:
    /// Travel before a press becomes a drag.
    static constexpr qreal minimumDragDistance = 6.0;
    /// Share of the range that one point of travel moves.
    static constexpr double rangePerPoint = 0.005;

    explicit DialGestures(std::shared_ptr<mossbell::AudioParameter> param);
    /// Ends a drag in progress (the host hears its release) and clears the view's gestures,
    /// which would otherwise outlive this.
    ~DialGestures();
    DialGestures(const DialGestures&) = delete;
    DialGestures& operator=(const DialGestures&) = delete;

    /// Recognises the drag and the two reset taps on view.
    void attach(ui::View& view);
    bool isDragging() const { return lastDragValue_.has_value(); }

private:
    void dragChanged(qreal y);
    void dragEnded();
    void reset();

    std::shared_ptr<mossbell::AudioParameter> param_;
    QPointer<ui::View> view_;
    /// The vertical position of the drag's previous event; none when no drag runs.
    std::optional<qreal> lastDragValue_;
};

} // namespace zindle
