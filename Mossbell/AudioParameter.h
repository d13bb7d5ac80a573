#pragma once

#include "Mossbell/ParameterEditor.h"

#include "platform/audiounit/Parameter.h"
#include "platform/audiounit/ParameterUnit.h"
#include "platform/foundation/Observation.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mossbell {

/// One plug-in parameter with its two faces: the observed value that the plug-in's views bind
/// to and redraw from, and the tree parameter through which the host reads, automates and sets
/// the same parameter. Controls change it only through setValue(value, source, state).
///
/// Made through create() and shared: a change queued to the main thread keeps its parameter
/// alive until it has run.
///
/// Threads: the constant fields may be read anywhere. value() may be read on any thread;
/// setValue() may be called on any thread but the render thread. The observed value and
/// isBeingInteractivelyEdited change on the main thread only.
class AudioParameter : public std::enable_shared_from_this<AudioParameter> {
public:
    /// How a knob maps its travel to the value: linearly, or logarithmically between positive
    /// bounds with an optional value placed at the middle of the travel.
    class ValueIncrement {
    public:
        static constexpr ValueIncrement linear() { return ValueIncrement(false, std::nullopt); }
        static constexpr ValueIncrement logarithmic(std::optional<float> midpoint = std::nullopt)
        {
            return ValueIncrement(true, midpoint);
        }

        constexpr bool isLogarithmic() const { return logarithmic_; }
        /// Only a logarithmic increment has one.
        constexpr std::optional<float> midpoint() const { return midpoint_; }

        /// The same case and, when logarithmic, both midpoints absent or both present and equal.
        friend constexpr bool operator==(const ValueIncrement& a, const ValueIncrement& b)
        {
            return a.logarithmic_ == b.logarithmic_ && a.midpoint_ == b.midpoint_;
        }

    private:
        constexpr ValueIncrement(bool logarithmic, std::optional<float> midpoint)
            : logarithmic_(logarithmic), midpoint_(logarithmic ? midpoint : std::nullopt)
        {
        }

        bool logarithmic_;
        std::optional<float> midpoint_;
    };

    /// Closed range of values; neither bound is NaN.
    struct ValueRange {
        float lower;
        float upper;
    };

    /// Makes the parameter and its tree parameter, set to defaultValue. A NaN bound is a
    /// programming error and stops the process.
    static std::shared_ptr<AudioParameter> create(au::ParameterAddress address, std::string identifier,
                                                  std::string name, au::ParameterUnit units, ValueRange valueRange,
                                                  float defaultValue, ValueIncrement valueIncrement,
                                                  std::optional<std::vector<std::string>> valueStrings,
                                                  std::optional<std::vector<au::ParameterAddress>> dependentParameterAddresses);

    /// A placeholder: address 0, no identifier or name, custom unit, range 0 to 0, linear.
    static std::shared_ptr<AudioParameter> dummyParam();

    virtual ~AudioParameter();
    AudioParameter(const AudioParameter&) = delete;
    AudioParameter& operator=(const AudioParameter&) = delete;

    au::ParameterAddress address() const { return address_; }
    const std::string& identifier() const { return identifier_; }
    /// The identifier, which identifies the parameter among its siblings.
    const std::string& id() const { return identifier_; }
    const std::string& name() const { return name_; }
    au::ParameterUnit units() const { return units_; }
    const ValueRange& valueRange() const { return valueRange_; }
    float defaultValue() const { return defaultValue_; }
    const ValueIncrement& valueIncrement() const { return valueIncrement_; }
    const std::optional<std::vector<std::string>>& valueStrings() const { return valueStrings_; }
    const std::optional<std::vector<au::ParameterAddress>>& dependentParameterAddresses() const
    {
        return dependentParameterAddresses_;
    }
    /// The tree parameter the host sees.
    const std::shared_ptr<au::Parameter>& auParameter() const { return auParameter_; }

    /// The value as the views see it; starts at the default. Any thread: on the main thread
    /// the read also registers with the observation tracking in force (a view drawing).
    virtual float value() const;
    /// Observes the value (main thread): called after each real change.
    foundation::ObservationToken observeValue(std::function<void(float)> callback);

    /// True while a dial or knob is being dragged. Main thread.
    virtual bool isBeingInteractivelyEdited() const;
    /// Set by a dragged control at the start and at the end of its drag. Main thread.
    virtual void setBeingInteractivelyEdited(bool editing);
    foundation::ObservationToken observeBeingInteractivelyEdited(std::function<void(bool)> callback);

    /// The one way to change the parameter. Clamps value to the range (NaN becomes the lower
    /// bound); a repeated value in the phase change does nothing at all. A change from the
    /// user interface goes to the host through the tree parameter at the current host time,
    /// with the event type of state. The observed value follows on the main thread, except that
    /// a change not from the user interface is dropped while the parameter is being dragged.
    /// Any thread but the render thread.
    virtual void setValue(float value, ParameterEditor source, ParameterEditorState state);

    /// The value to show: an absolute-cents value in semitone hundreds (divided by 100).
    /// Reading it registers like value().
    virtual float displayableValue() const;
    /// The suffix of the unit ("dB", "Hz", "%", "MS", else empty).
    virtual std::string_view displayableSuffix() const;
    /// What a shown value is multiplied by to store it: 0.01 for absolute cents, else 1.
    virtual float saveScaleFactor() const;
    /// What a stored value is multiplied by to show it: 100 for absolute cents, else 1.
    virtual float displayScaleFactor() const;
    /// True for an indexed unit.
    virtual bool isIndexed() const;

    // ---- Knob travel -------------------------------------------------------------------------
    // How a knob maps a value to a position from 0 (lower bound) to 1 (upper bound) and back,
    // in single precision. The travel is logarithmic when the increment is logarithmic and both
    // bounds are above zero, else linear; a logarithmic midpoint, when it lies strictly inside
    // the range, is put at position 0.5. Positions and values are not clamped to 0...1 or to the
    // range. Any thread: these read only the constant fields.

    /// The exponent k that puts midpoint at position 0.5 of a logarithmic travel over the
    /// range (x^k = 0.5 for its plain logarithmic position x), or nothing when a bound is not
    /// above zero or midpoint does not lie strictly between the bounds.
    std::optional<float> midpointExponent(float midpoint) const;
    /// The position of value. Values at or below zero lie infinitely far below a logarithmic
    /// travel; a range whose bounds are equal puts every value at 0.
    float normalizedPosition(float value) const;
    /// The value at position; the inverse of normalizedPosition().
    float valueForNormalizedPosition(float position) const;
    /// The frame from 1 to imageCount of a strip that shows value: the position scaled to the
    /// frames, rounded half away from zero. Values below the range (and NaN) give frame 1, above
    /// it frame imageCount; a count below 1 still gives frame 1.
    int imageIndex(float value, int imageCount) const;

protected:
    AudioParameter(au::ParameterAddress address, std::string identifier, std::string name, au::ParameterUnit units,
                   ValueRange valueRange, float defaultValue, ValueIncrement valueIncrement,
                   std::optional<std::vector<std::string>> valueStrings,
                   std::optional<std::vector<au::ParameterAddress>> dependentParameterAddresses);

private:
    // Main thread: what a queued change does when it runs.
    void apply(float value, ParameterEditor source);

    const au::ParameterAddress address_;
    const std::string identifier_;
    const std::string name_;
    const au::ParameterUnit units_;
    const ValueRange valueRange_;
    const float defaultValue_;
    const ValueIncrement valueIncrement_;
    const std::optional<std::vector<std::string>> valueStrings_;
    const std::optional<std::vector<au::ParameterAddress>> dependentParameterAddresses_;

    foundation::Observed<float> value_;
    // The same value for readers off the main thread (the host's parameter thread compares a
    // new value with it); written on the main thread together with value_.
    std::atomic<float> valueMirror_;
    std::shared_ptr<au::Parameter> auParameter_;
    foundation::Observed<bool> isBeingInteractivelyEdited_{false};
};

} // namespace mossbell
