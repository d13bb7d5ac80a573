#pragma once

#include "platform/audiounit/ParameterUnit.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace au {

class ParameterTree;

/// One parameter of an effect as the host sees it: its description (fixed at creation), its
/// current value, and the way a change reaches the effect and the host's observers.
///
/// Made only by ParameterTree::createParameter and shared (shared_ptr) between the tree, the
/// effect's model and whoever else holds it. ParameterTree::createTree links a parameter back
/// to its tree (weakly), which is how it reaches the tree's implementor callbacks and host
/// observers; a parameter that is in no tree (or whose tree is gone) still keeps and returns
/// its stored value, and calls nobody.
///
/// The value is stored in an atomic, so any thread may read it while another sets it. Sets
/// are never made on the render thread: they call observers, which may allocate and lock.
/// The value is not clamped to [minValue, maxValue]: the tree keeps what it is given.
class Parameter {
public:
    Parameter(const Parameter&) = delete;
    Parameter& operator=(const Parameter&) = delete;
    ~Parameter();

    // The description: constant, so any thread may read it.
    const std::string& identifier() const { return identifier_; }
    const std::string& displayName() const { return displayName_; }
    ParameterAddress address() const { return address_; }
    AUValue minValue() const { return minValue_; }
    AUValue maxValue() const { return maxValue_; }
    ParameterUnit unit() const { return unit_; }
    const std::string& unitName() const { return unitName_; }
    std::uint32_t flags() const { return flags_; }
    /// Names of the values of an indexed parameter, the name of value 0 first.
    const std::optional<std::vector<std::string>>& valueStrings() const { return valueStrings_; }
    /// Parameters whose values change when this one does.
    const std::optional<std::vector<ParameterAddress>>& dependentParameters() const
    {
        return dependentParameters_;
    }

    /// The value as the host reads it: what the tree's implementor value provider returns when
    /// one is installed, else the stored value. Any thread but the render thread (the provider
    /// is the effect's code and the lookup of the tree takes a short lock).
    AUValue value() const;

    /// The stored value itself, never asking the provider. Any thread, the render thread
    /// included (one atomic load).
    AUValue storedValue() const { return value_.load(std::memory_order_acquire); }

    /// Plain set, as the effect itself sets a value: stores it, then calls the tree's
    /// implementor value observer, then every host observer (event type value, host time 0).
    /// Any thread but the render thread; the observers run on the calling thread.
    void setValue(AUValue value);

    /// Set as a host or a control gesture does: stores the value (for touch and release too),
    /// then calls the implementor value observer, then every host observer whose token is not
    /// originator (a host passes its own token so it does not hear its own change back), each
    /// with hostTime and type. originator may be null. Any thread but the render thread; the
    /// observers run on the calling thread.
    void setValue(AUValue value, const void* originator, std::uint64_t hostTime, AutomationEventType type);

    /// The text for a value (nullptr: the current value()): the tree's implementor
    /// string-from-value callback when installed, else the name in valueStrings() at the value's
    /// index (truncated toward zero) when there is one, else the number in its shortest exact
    /// form ("0.5", "100"). Any thread but the render thread.
    std::string string(const AUValue* value) const;

    /// The value for a text: the tree's implementor value-from-string callback when installed,
    /// else the index of the text in valueStrings() when it is one of them, else the whole text
    /// read as a number (C locale), else 0 (also for a text that reads as NaN). Not clamped.
    /// Any thread but the render thread.
    AUValue value(const std::string& text) const;

private:
    friend class ParameterTree;
    struct Key {}; // lets only ParameterTree construct, through make_shared

public:
    Parameter(Key, std::string identifier, std::string displayName, ParameterAddress address, AUValue minValue,
              AUValue maxValue, ParameterUnit unit, std::string unitName, std::uint32_t flags,
              std::optional<std::vector<std::string>> valueStrings,
              std::optional<std::vector<ParameterAddress>> dependentParameters);

private:
    std::shared_ptr<ParameterTree> tree() const;
    void setTree(const std::shared_ptr<ParameterTree>& tree);

    const std::string identifier_;
    const std::string displayName_;
    const ParameterAddress address_;
    const AUValue minValue_;
    const AUValue maxValue_;
    const ParameterUnit unit_;
    const std::string unitName_;
    const std::uint32_t flags_;
    const std::optional<std::vector<std::string>> valueStrings_;
    const std::optional<std::vector<ParameterAddress>> dependentParameters_;

    std::atomic<AUValue> value_{0.0f};
    // Set when the parameter joins a tree; read by every set and every callback lookup.
    mutable std::mutex treeMutex_;
    std::weak_ptr<ParameterTree> tree_;
};

} // namespace au
