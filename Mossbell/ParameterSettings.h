#pragma once

#include "Mossbell/AudioParameter.h"
#include "Mossbell/MossAudioUnit.h"
#include "Mossbell/ParameterEditor.h"

#include "platform/audiounit/ParameterUnit.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace foundation {
class Bundle;
}

namespace mossbell {

/// The base of a plug-in's settings model: the ordered list of its parameters and a weak link to
/// the Audio Unit. It builds the parameter tree from the list and installs it, pushes every value
/// into the Audio Unit, installs the tree's callbacks and routes every change that comes from the
/// host or from the plug-in's own code to the right parameter and on to the Audio Unit.
///
/// Made as a shared object (std::make_shared): the tree's callbacks hold it weakly.
///
/// Threads: setupParameters, configureAudioUnit and setupParameterTreeListeners run on the main
/// thread. The list is written once, before any tree or callback exists, and only read after,
/// so routing (setValue) may run on any thread but the render thread: the host calls the
/// tree's callbacks on a thread of its own.
class ParameterSettings : public std::enable_shared_from_this<ParameterSettings> {
public:
    /// Feeds values into paramsHash. Seeded once per process, so hashes compare only within
    /// one run.
    class Hasher {
    public:
        Hasher();
        void combine(std::uint64_t value);
        /// A float by its bit pattern, negative zero taken as positive zero.
        void combine(float value);
        std::size_t finalize() const;

    private:
        std::uint64_t state_;
    };

    ParameterSettings();
    virtual ~ParameterSettings();
    ParameterSettings(const ParameterSettings&) = delete;
    ParameterSettings& operator=(const ParameterSettings&) = delete;

    /// Replaces the parameter list, order kept (the tree's order). Called by the subclass before
    /// any Audio Unit exists.
    virtual void setupParameters(std::vector<std::shared_ptr<AudioParameter>> parameters);
    const std::vector<std::shared_ptr<AudioParameter>>& parameters() const { return parameters_; }

    /// The plug-in's version: "CFBundleShortVersionString" of the bundle that holds the
    /// plug-in's code, or "Unknown".
    virtual std::string pluginVersion() const;
    /// The short version string of bundle, "Unknown" when there is no bundle, no such key or
    /// the value is not a string.
    static std::string shortVersion(const std::optional<foundation::Bundle>& bundle);

    /// The Audio Unit the settings drive, while it exists. Any thread.
    std::shared_ptr<MossAudioUnit> audioUnit() const;

    /// Main thread, once the Audio Unit exists: keeps it weakly, builds the flat parameter tree
    /// from the list, installs it on the unit and pushes every current value into the unit in
    /// list order.
    virtual void configureAudioUnit(const std::shared_ptr<MossAudioUnit>& audioUnit);

    /// Main thread, right after configureAudioUnit: installs on the unit's tree the value
    /// observer (routes the host's changes with the source parameterObserver), the value-to-text
    /// callback and the text-to-value callback. Nothing is installed when the unit or its tree
    /// is gone.
    virtual void setupParameterTreeListeners();

    /// Routes a change that does not come straight from a control (the host through the tree,
    /// the kernel poll, the presets): sets the first parameter with this address (phase change),
    /// runs updateDependentValues when it has dependents, then hands the value as given (not
    /// clamped) to the Audio Unit, found or not. Any thread but the render thread.
    virtual void setValue(float value, au::ParameterAddress address, ParameterEditor source);

    /// A hash of the current values (and what hashAdditionalValues adds). Main thread.
    virtual std::size_t paramsHash() const;

    /// The text the host shows for a value (nullptr: none): "-" for none or NaN, the value
    /// string whose index is the value truncated toward zero, else the value with no decimals.
    static std::string stringFromValue(const au::Parameter& parameter, const float* value);
    /// The value of a text typed in the host: the index of the value string it equals, if any;
    /// else the whole text as a C-locale float (infinities included), 0 when it is empty, starts
    /// with white space, has anything left over or is NaN. Not clamped.
    static float valueFromString(const au::Parameter& parameter, const std::string& text);

protected:
    /// Hook for a subclass to add values of its own to paramsHash.
    virtual void hashAdditionalValues(Hasher& hasher) const;
    /// Hook: a parameter with dependents was routed with value. The base does nothing.
    virtual void updateDependentValues(au::ParameterAddress address, float value);

private:
    std::vector<std::shared_ptr<AudioParameter>> parameters_;
    // Written on the main thread, read by the tree's observer on the host's thread. A lock, not
    // std::atomic<std::weak_ptr>: this standard library's load releases its inner lock with
    // relaxed order, so a load racing a store is a data race (ThreadSanitizer reports it).
    mutable std::mutex audioUnitMutex_;
    std::weak_ptr<MossAudioUnit> audioUnit_;
};

} // namespace mossbell
