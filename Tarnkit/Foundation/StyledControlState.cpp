#include "Tarnkit/Foundation/StyledControlState.h"

#include <QStringList>

namespace tarnkit {

namespace {

struct NamedFlag {
    StyledControlState flag;
    const char* name;
};

// Ascending: the text form lists the flags in this order.
constexpr NamedFlag namedFlags[] = {
    {StyledControlState::defaultState, "default"},
    {StyledControlState::disabled, "disabled"},
    {StyledControlState::selected, "selected"},
    {StyledControlState::highlighted, "highlighted"},
    {StyledControlState::focused, "focused"},
    {StyledControlState::on, "on"},
    {StyledControlState::mixed, "mixed"},
    {StyledControlState::invalid, "invalid"},
};

} // namespace

const std::array<StyledControlState, 7>& StyledControlState::allStates()
{
    static constexpr std::array<StyledControlState, 7> states = {disabled, selected, highlighted, focused,
                                                                 on, mixed, invalid};
    return states;
}

std::pair<bool, StyledControlState> StyledControlState::insert(StyledControlState member)
{
    const bool inserted = !contains(member);
    formUnion(member);
    return {inserted, member};
}

std::optional<StyledControlState> StyledControlState::remove(StyledControlState member)
{
    const StyledControlState present = intersection(member);
    if (present.isEmpty())
        return std::nullopt;
    subtract(member);
    return present;
}

std::optional<StyledControlState> StyledControlState::update(StyledControlState with)
{
    const StyledControlState present = intersection(with);
    formUnion(with);
    if (present.isEmpty())
        return std::nullopt;
    return present;
}

QString StyledControlState::description() const
{
    QStringList names;
    for (const auto& named : namedFlags) {
        if (contains(named.flag))
            names << QLatin1String(named.name);
    }
    return names.join(QStringLiteral(", "));
}

int StyledControlState::countOfSetOptions() const
{
    int count = 0;
    for (const auto flag : allStates())
        count += contains(flag) ? 1 : 0;
    return count;
}

std::vector<StyledControlState> StyledControlState::toArray() const
{
    std::vector<StyledControlState> flags{defaultState};
    for (const auto flag : allStates()) {
        if (contains(flag))
            flags.push_back(flag);
    }
    return flags;
}

size_t qHash(StyledControlState state, size_t seed)
{
    return qHash(state.description(), seed);
}

} // namespace tarnkit

size_t std::hash<tarnkit::StyledControlState>::operator()(tarnkit::StyledControlState state) const
{
    return tarnkit::qHash(state);
}
