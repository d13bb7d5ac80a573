#pragma once

#include "platform/audiounit/Parameter.h"
#include "platform/audiounit/ParameterUnit.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace au {

/// The flat list of an effect's parameters that a host sees, with the effect's (implementor)
/// callbacks and the host's observers.
///
/// The effect installs four callbacks: the value observer hears every set of a parameter (this
/// is how a host's change reaches the effect); the value provider answers Parameter::value()
/// (so the host reads what the render side holds); the two string callbacks turn values into
/// text and back. A host adds observers, each identified by a token, to hear every change with
/// its automation event type and host time; it passes its token as the originator of its own
/// sets so that it does not hear them back.
///
/// Threads: callbacks may be installed and observers added or removed from any thread (but the
/// render thread) while other threads set and read parameters; a callback or observer runs on
/// the thread that set or read the parameter. No lock is held while one runs, so they may set
/// parameters, add or remove observers, or install callbacks themselves.
class ParameterTree {
public:
    using ValueObserver = std::function<void(Parameter&, AUValue)>;
    using ValueProvider = std::function<AUValue(const Parameter&)>;
    /// The value pointer is null when the text for the current value is asked for.
    using StringFromValue = std::function<std::string(const Parameter&, const AUValue*)>;
    using ValueFromString = std::function<AUValue(const Parameter&, const std::string&)>;

    /// One change as a host observer hears it.
    struct AutomationEvent {
        ParameterAddress address;
        AUValue value;
        std::uint64_t hostTime; // 0 for a plain set
        AutomationEventType type;
    };
    using ObserverToken = const void*; // also what a host passes as originator
    using HostObserver = std::function<void(const AutomationEvent&)>;

    /// A new parameter, in no tree yet; its stored value starts at minValue. Any thread.
    static std::shared_ptr<Parameter> createParameter(std::string identifier, std::string name,
                                                      ParameterAddress address, AUValue min, AUValue max,
                                                      ParameterUnit unit, std::string unitName,
                                                      std::uint32_t flags,
                                                      std::optional<std::vector<std::string>> valueStrings,
                                                      std::optional<std::vector<ParameterAddress>> dependentParameters);

    /// A tree of children, in their order, each linked back to it (a parameter put into a later
    /// tree follows that one). Null children are left out. Any thread, but build the tree before
    /// other threads set its parameters.
    static std::shared_ptr<ParameterTree> createTree(std::vector<std::shared_ptr<Parameter>> children);

    ParameterTree(const ParameterTree&) = delete;
    ParameterTree& operator=(const ParameterTree&) = delete;
    ~ParameterTree();

    /// Every parameter in tree order. Constant after creation: any thread.
    const std::vector<std::shared_ptr<Parameter>>& allParameters() const { return parameters_; }
    /// The first parameter with address, or null when there is none. Any thread.
    std::shared_ptr<Parameter> parameter(ParameterAddress address) const;

    /// Install (or, with an empty function, remove) the effect's callbacks. Any thread but the
    /// render thread; a set or read already under way on another thread may still use the one
    /// before.
    void setImplementorValueObserver(ValueObserver observer);
    void setImplementorValueProvider(ValueProvider provider);
    void setImplementorStringFromValueCallback(StringFromValue callback);
    void setImplementorValueFromStringCallback(ValueFromString callback);

    /// Whether the effect installed the callback. Any thread.
    bool hasImplementorValueObserver() const;
    bool hasImplementorValueProvider() const;
    bool hasImplementorStringFromValueCallback() const;
    bool hasImplementorValueFromStringCallback() const;

    /// Host side: observer hears every later set of every parameter of the tree, after the
    /// implementor value observer, in the order observers were added. The token is unique while
    /// the observer is registered. Any thread but the render thread.
    ObserverToken tokenByAddingParameterObserver(HostObserver observer);
    /// Stops the observer of token; unknown tokens are ignored. Once this returns the observer
    /// is not called again, except by a call already under way on another thread. Any thread
    /// but the render thread, an observer itself included.
    void removeParameterObserver(ObserverToken token);

private:
    friend class Parameter;
    struct Key {};

public:
    ParameterTree(Key, std::vector<std::shared_ptr<Parameter>> parameters);

private:
    struct HostObserverEntry {
        HostObserver observer;
        std::atomic<bool> active{true};
    };

    // What Parameter calls, on the thread that sets or reads it.
    void didSet(Parameter& parameter, AUValue value, const void* originator, std::uint64_t hostTime,
                AutomationEventType type);
    std::shared_ptr<const ValueObserver> valueObserver() const;
    std::shared_ptr<const ValueProvider> valueProvider() const;
    std::shared_ptr<const StringFromValue> stringFromValue() const;
    std::shared_ptr<const ValueFromString> valueFromString() const;

    const std::vector<std::shared_ptr<Parameter>> parameters_;

    // Replaced whole under the lock, so a caller keeps the one it took while another thread
    // installs anew. (A lock, not std::atomic<std::shared_ptr>: this standard library's load
    // releases its inner lock with relaxed order, a race that ThreadSanitizer reports.)
    mutable std::mutex callbacksMutex_;
    std::shared_ptr<const ValueObserver> valueObserver_;
    std::shared_ptr<const ValueProvider> valueProvider_;
    std::shared_ptr<const StringFromValue> stringFromValue_;
    std::shared_ptr<const ValueFromString> valueFromString_;

    mutable std::mutex observersMutex_; // guards observers_ only; never held while calling out
    std::vector<std::shared_ptr<HostObserverEntry>> observers_;
};

} // namespace au
