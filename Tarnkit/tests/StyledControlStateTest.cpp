#include "Tarnkit/Foundation/StyledControl.h"
#include "Tarnkit/Foundation/StyledControlState.h"
#include "Tarnkit/Foundation/Selectable.h"
#include "Tarnkit/Foundation/Validating.h"

#include <gtest/gtest.h>

#include <unordered_set>

namespace {

using tarnkit::ControlStateValue;
using tarnkit::StyledControlState;
using State = StyledControlState;

std::vector<StyledControlState::RawValue> raw(const std::vector<StyledControlState>& states)
{
    std::vector<StyledControlState::RawValue> values;
    for (const auto state : states)
        values.push_back(state.rawValue());
    return values;
}

TEST(StyledControlState, FlagsHaveTheirValues)
{
    const std::pair<StyledControlState, StyledControlState::RawValue> flags[] = {
        {State::defaultState, 1}, {State::disabled, 2}, {State::selected, 4}, {State::highlighted, 8},
        {State::focused, 16},     {State::on, 32},      {State::mixed, 64},   {State::invalid, 128},
    };
    for (const auto& [flag, value] : flags)
        EXPECT_EQ(flag.rawValue(), value);
    EXPECT_EQ(raw({State::allStates().begin(), State::allStates().end()}),
              (std::vector<StyledControlState::RawValue>{2, 4, 8, 16, 32, 64, 128}));
}

TEST(StyledControlState, TextFormListsTheSetFlagsInAscendingOrder)
{
    const struct {
        StyledControlState::RawValue rawValue;
        const char* text;
    } cases[] = {
        {0, ""},
        {1, "default"},
        {33, "default, on"},
        {139, "default, disabled, highlighted, invalid"},
        {255, "default, disabled, selected, highlighted, focused, on, mixed, invalid"},
        {256, ""},                  // unnamed bits add nothing
        {256 | 64 | 2, "disabled, mixed"},
        {std::int64_t(1) << 62 | 16, "focused"},
        {-1, "default, disabled, selected, highlighted, focused, on, mixed, invalid"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(State(c.rawValue).description(), QString::fromLatin1(c.text)) << c.rawValue;
}

TEST(StyledControlState, ConstructionKeepsEveryBit)
{
    EXPECT_EQ(State().rawValue(), 0);
    EXPECT_EQ(State({}).rawValue(), 0);
    EXPECT_EQ((State{State::defaultState, State::on, State::highlighted}).rawValue(), 41);
    EXPECT_EQ(State(0x7fff'0000'0000'0100).rawValue(), 0x7fff'0000'0000'0100);
    EXPECT_TRUE(State().isEmpty());
    EXPECT_FALSE(State(256).isEmpty());
}

TEST(StyledControlState, SetAlgebraWorksOnTheRawBits)
{
    const State a(0b1010'0110 | 512); // selected, disabled, on, invalid and an unnamed bit
    const State b(0b0110'0011);       // default, disabled, on, mixed
    EXPECT_EQ(a.unionWith(b).rawValue(), (0b1010'0110 | 0b0110'0011 | 512));
    EXPECT_EQ(a.intersection(b).rawValue(), 0b0010'0010);
    EXPECT_EQ(a.symmetricDifference(b).rawValue(), (0b1010'0110 ^ 0b0110'0011) | 512);
    EXPECT_EQ(a.subtracting(b).rawValue(), 0b1000'0100 | 512);
    EXPECT_EQ((a | b), a.unionWith(b));
    EXPECT_EQ((a & b), a.intersection(b));
    EXPECT_EQ((a ^ b), a.symmetricDifference(b));

    State s = a;
    s.formUnion(b);
    EXPECT_EQ(s, a.unionWith(b));
    s = a;
    s.formIntersection(b);
    EXPECT_EQ(s, a.intersection(b));
    s = a;
    s.formSymmetricDifference(b);
    EXPECT_EQ(s, a.symmetricDifference(b));
    s = a;
    s.subtract(b);
    EXPECT_EQ(s, a.subtracting(b));
}

TEST(StyledControlState, RelationsAskForWholeFlags)
{
    const State state{State::defaultState, State::on, State::highlighted};
    EXPECT_TRUE(state.contains(State::on));
    EXPECT_TRUE(state.contains(State::on | State::highlighted));
    EXPECT_FALSE(state.contains(State::on | State::mixed)); // every bit, not any
    EXPECT_TRUE(state.contains(State()));
    EXPECT_TRUE(State(State::on).isSubset(state));
    EXPECT_FALSE(state.isSubset(State::on));
    EXPECT_TRUE(state.isSuperset(State::on | State::defaultState));
    EXPECT_FALSE(State(State::on).isSuperset(state));
    EXPECT_TRUE(state.isDisjoint(State::mixed | State::invalid));
    EXPECT_FALSE(state.isDisjoint(State::mixed | State::on));
}

TEST(StyledControlState, InsertReportsWhetherAnyBitWasNew)
{
    State state = State::defaultState;
    const auto [inserted, member] = state.insert(State::defaultState | State::on);
    EXPECT_TRUE(inserted); // on was new, though default was not
    EXPECT_EQ(member, State::defaultState | State::on);
    EXPECT_EQ(state.rawValue(), 33);

    const auto [again, sameMember] = state.insert(State::on);
    EXPECT_FALSE(again);
    EXPECT_EQ(sameMember, State::on);
    EXPECT_EQ(state.rawValue(), 33);
}

TEST(StyledControlState, RemoveReturnsTheBitsThatWereSet)
{
    State state{State::defaultState, State::on};
    EXPECT_EQ(state.remove(State::selected), std::nullopt);
    EXPECT_EQ(state.rawValue(), 33);

    state.formUnion(State::selected);
    EXPECT_EQ(state.remove(State::selected), State::selected);
    EXPECT_EQ(state.rawValue(), 33);

    // Only the present bits come back; every bit of the operand is cleared.
    EXPECT_EQ(state.remove(State::on | State::mixed), State::on);
    EXPECT_EQ(state.rawValue(), 1);
}

TEST(StyledControlState, UpdateReturnsTheBitsAlreadySet)
{
    State state = State::defaultState;
    EXPECT_EQ(state.update(State::on), std::nullopt);
    EXPECT_EQ(state.rawValue(), 33);
    EXPECT_EQ(state.update(State::on | State::mixed), State::on);
    EXPECT_EQ(state.rawValue(), 97);
}

TEST(StyledControlState, EqualityGoesByRawValueAndHashByText)
{
    EXPECT_NE(State(256), State(0));
    EXPECT_EQ(qHash(State(256)), qHash(State(0)));
    EXPECT_EQ(std::hash<State>()(State(256)), std::hash<State>()(State(0)));
    EXPECT_EQ(qHash(State(33)), qHash(QStringLiteral("default, on")));
    EXPECT_NE(qHash(State(33)), qHash(State(65)));

    // Unnamed bits keep keys apart in a hashed set even though they share a hash.
    const std::unordered_set<State> keys = {State(0), State(256), State(33)};
    EXPECT_EQ(keys.size(), 3u);
    QSet<State> qtKeys = {State(0), State(256)};
    EXPECT_EQ(qtKeys.size(), 2);
}

TEST(StyledControlState, CountsAndListsOnlyTheNamedFlagsBesideDefault)
{
    const struct {
        StyledControlState::RawValue rawValue;
        int count;
        std::vector<StyledControlState::RawValue> array;
    } cases[] = {
        {255, 7, {1, 2, 4, 8, 16, 32, 64, 128}},
        {1, 0, {1}},
        {6, 2, {1, 2, 4}},
        {0, 0, {1}},                 // default leads even when unset
        {2 | 128, 2, {1, 2, 128}},
        {256 | 1024 | 32, 1, {1, 32}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(State(c.rawValue).countOfSetOptions(), c.count) << c.rawValue;
        EXPECT_EQ(raw(State(c.rawValue).toArray()), c.array) << c.rawValue;
    }
}

// A cell as the default derivation sees it, optionally selectable and validating.
struct FakeCell : tarnkit::StyledControlCell {
    ControlStateValue value = ControlStateValue::off;
    bool enabled = true;
    bool highlighted = false;

    ControlStateValue stateValue() const override { return value; }
    bool isEnabled() const override { return enabled; }
    bool isHighlighted() const override { return highlighted; }
};

struct SelectableCell : FakeCell, tarnkit::Selectable {
    bool selected = false;
    bool isSelected() const override { return selected; }
    void setSelected(bool isOn) override { selected = isOn; }
};

struct ValidatingSelectableCell : SelectableCell, tarnkit::Validating {
    bool valid = true;
    bool isValid() const override { return valid; }
    QString validationMessage() const override { return valid ? QString() : QStringLiteral("too long"); }
};

TEST(StyledControlCell, DerivesItsStateFromTheCell)
{
    const struct {
        const char* what;
        int value;
        bool enabled;
        bool highlighted;
        bool selected;
        bool valid;
        StyledControlState::RawValue expected;
    } cases[] = {
        {"off", 0, true, false, false, true, 1},
        {"on", 1, true, false, false, true, 33},
        {"mixed", -1, true, false, false, true, 65},
        {"a state value of 2 is neither on nor mixed", 2, true, false, false, true, 1},
        {"disabled on", 1, false, false, false, true, 35},
        {"pressed while on", 1, true, true, false, true, 41},
        {"never pressed while disabled", -1, false, true, false, true, 67},
        {"selected", 0, true, false, true, true, 5},
        {"invalid", 0, true, false, false, false, 129},
        {"everything it can set", 1, false, true, true, false, 1 | 2 | 4 | 32 | 128},
    };
    for (const auto& c : cases) {
        ValidatingSelectableCell cell;
        cell.value = ControlStateValue(c.value);
        cell.enabled = c.enabled;
        cell.highlighted = c.highlighted;
        cell.selected = c.selected;
        cell.valid = c.valid;
        EXPECT_EQ(cell.controlState().rawValue(), c.expected) << c.what;
        EXPECT_FALSE(cell.controlState().contains(StyledControlState::focused)) << c.what;
    }
}

TEST(StyledControlCell, OnlyCellsThatAdoptTheProtocolsGetSelectedOrInvalid)
{
    FakeCell plain;
    plain.value = ControlStateValue::on;
    plain.highlighted = true;
    EXPECT_EQ(plain.controlState().rawValue(), 41);

    SelectableCell selectable;
    selectable.setSelected(true);
    EXPECT_EQ(selectable.controlState().rawValue(), 5);

    ValidatingSelectableCell validating;
    EXPECT_EQ(validating.controlState().rawValue(), 1);
    validating.valid = false;
    EXPECT_EQ(validating.controlState().rawValue(), 129);
    EXPECT_EQ(validating.validationMessage(), "too long");
}

TEST(ControlStateValue, CrossesVariantsAsItsRawValue)
{
    for (const auto value : {ControlStateValue::off, ControlStateValue::on, ControlStateValue::mixed}) {
        EXPECT_EQ(tarnkit::toVariant(value).toInt(), int(value));
        EXPECT_EQ(tarnkit::controlStateValue(tarnkit::toVariant(value)), value);
    }
    EXPECT_EQ(int(tarnkit::controlStateValue(QVariant(2))), 2);
}

} // namespace
