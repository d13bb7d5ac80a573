#pragma once

#include <QHash>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

namespace tarnkit {

/// How a control looks at this moment: an option set of visual flags over a 64-bit word.
/// It keys every per-state image and colour table of the style objects. Bits above invalid
/// have no name: they survive the set algebra and equality but not the text form, and so not
/// the hash either. A plain value; any thread.
class StyledControlState {
public:
    using RawValue = std::int64_t;

    static const StyledControlState defaultState; ///< 1, "default": set in every derived state
    static const StyledControlState disabled;     ///< 2
    static const StyledControlState selected;     ///< 4
    static const StyledControlState highlighted;  ///< 8: pressed, only while enabled
    static const StyledControlState focused;      ///< 16
    static const StyledControlState on;           ///< 32
    static const StyledControlState mixed;        ///< 64
    static const StyledControlState invalid;      ///< 128

    /// The seven flags other than default, ascending.
    static const std::array<StyledControlState, 7>& allStates();

    constexpr StyledControlState() = default;
    constexpr explicit StyledControlState(RawValue rawValue) : rawValue_(rawValue) {}
    /// The union of the listed states; an empty list gives the empty state.
    constexpr StyledControlState(std::initializer_list<StyledControlState> states)
    {
        for (const auto state : states)
            rawValue_ |= state.rawValue_;
    }

    constexpr RawValue rawValue() const { return rawValue_; }
    constexpr bool isEmpty() const { return rawValue_ == 0; }

    /// union (a keyword here), intersection, symmetric difference and subtraction of the bits.
    constexpr StyledControlState unionWith(StyledControlState other) const
    {
        return StyledControlState(rawValue_ | other.rawValue_);
    }
    constexpr StyledControlState intersection(StyledControlState other) const
    {
        return StyledControlState(rawValue_ & other.rawValue_);
    }
    constexpr StyledControlState symmetricDifference(StyledControlState other) const
    {
        return StyledControlState(rawValue_ ^ other.rawValue_);
    }
    constexpr StyledControlState subtracting(StyledControlState other) const
    {
        return StyledControlState(rawValue_ & ~other.rawValue_);
    }

    constexpr void formUnion(StyledControlState other) { rawValue_ |= other.rawValue_; }
    constexpr void formIntersection(StyledControlState other) { rawValue_ &= other.rawValue_; }
    constexpr void formSymmetricDifference(StyledControlState other) { rawValue_ ^= other.rawValue_; }
    constexpr void subtract(StyledControlState other) { rawValue_ &= ~other.rawValue_; }

    /// Every bit of member is set.
    constexpr bool contains(StyledControlState member) const
    {
        return (rawValue_ & member.rawValue_) == member.rawValue_;
    }
    constexpr bool isSubset(StyledControlState of) const { return (rawValue_ & ~of.rawValue_) == 0; }
    constexpr bool isSuperset(StyledControlState of) const { return of.isSubset(*this); }
    constexpr bool isDisjoint(StyledControlState with) const { return (rawValue_ & with.rawValue_) == 0; }

    /// ORs member in; first is true when at least one of its bits was new. The second is
    /// always member itself.
    std::pair<bool, StyledControlState> insert(StyledControlState member);
    /// Clears member's bits and returns those that were set, or nothing (state unchanged)
    /// when none was.
    std::optional<StyledControlState> remove(StyledControlState member);
    /// ORs member in and returns the bits of it that were already set, or nothing.
    std::optional<StyledControlState> update(StyledControlState with);

    /// The names of the set flags, ascending, joined by ", "; unnamed bits add nothing.
    QString description() const;

    /// How many of the seven flags of allStates() are set (default and unnamed bits are not
    /// counted).
    int countOfSetOptions() const;
    /// default first (set or not), then each set flag of allStates(), ascending.
    std::vector<StyledControlState> toArray() const;

    friend constexpr bool operator==(StyledControlState, StyledControlState) = default;
    friend constexpr StyledControlState operator|(StyledControlState a, StyledControlState b)
    {
        return a.unionWith(b);
    }
    friend constexpr StyledControlState operator&(StyledControlState a, StyledControlState b)
    {
        return a.intersection(b);
    }
    friend constexpr StyledControlState operator^(StyledControlState a, StyledControlState b)
    {
        return a.symmetricDifference(b);
    }

private:
    RawValue rawValue_ = 0;
};

inline constexpr StyledControlState StyledControlState::defaultState{1};
inline constexpr StyledControlState StyledControlState::disabled{2};
inline constexpr StyledControlState StyledControlState::selected{4};
inline constexpr StyledControlState StyledControlState::highlighted{8};
inline constexpr StyledControlState StyledControlState::focused{16};
inline constexpr StyledControlState StyledControlState::on{32};
inline constexpr StyledControlState StyledControlState::mixed{64};
inline constexpr StyledControlState StyledControlState::invalid{128};

/// The hash of a state is the hash of its text form, so states that differ only in unnamed
/// bits hash alike (they still compare unequal).
size_t qHash(StyledControlState state, size_t seed = 0);

} // namespace tarnkit

template <>
struct std::hash<tarnkit::StyledControlState> {
    size_t operator()(tarnkit::StyledControlState state) const;
};
