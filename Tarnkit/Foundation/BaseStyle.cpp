#include "Tarnkit/Foundation/BaseStyle.h"

#include "Tarnkit/Foundation/AssetResources.h"

namespace tarnkit {

BaseStyle::BaseStyle()
    : appearanceName_(darkAquaAppearanceName), backgroundColor_(ColorResource::backgroundNormal().makeColor())
{
}

ImageRef BaseStyle::findImage(StyledControlState state, const ImageTable& table) const
{
    const auto imageFor = [&table](StyledControlState key) -> ImageRef {
        const auto found = table.find(key);
        return found == table.end() ? nullptr : found->second;
    };

    if (const auto exact = table.find(state); exact != table.end())
        return exact->second;
    if (state.isEmpty())
        return imageFor(StyledControlState::defaultState);

    // Candidates are walked in the table's order (ascending raw value); only a strictly
    // higher score replaces the best, so the first of equal scores wins.
    const ImageTable::value_type* best = nullptr;
    int bestScore = -1;
    for (const auto& entry : table) {
        if (!entry.first.isSubset(state))
            continue;
        const int score = entry.first.countOfSetOptions();
        if (score > bestScore) {
            best = &entry;
            bestScore = score;
        }
    }
    if (best == nullptr)
        return imageFor(StyledControlState::defaultState);
    return best->second;
}

} // namespace tarnkit
