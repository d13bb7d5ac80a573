#include "extension/ModePresets.h"

namespace zindle {

std::vector<PresetValue> modePresetValues(std::uint64_t address, float value, const std::function<float()>& mainMode)
{
    if (address == ParameterAddress::mainMode) {
        if (value == 0.0f)
            return {retroSkinPreset.begin(), retroSkinPreset.end()};
        return {}; // Modern keeps every value
    }
    if (address != ParameterAddress::retroMode || mainMode() != 0.0f)
        return {};

    std::size_t voicing = 0;
    if (value == 0.0f)
        voicing = 0;
    else if (value == 1.0f)
        voicing = 1;
    else if (value == 2.0f)
        voicing = 2;
    else
        return {};

    std::vector<PresetValue> values;
    values.reserve(retroVoicingPreset.size());
    for (const VoicingRow& row : retroVoicingPreset)
        values.push_back({row.address, row.values[voicing]});
    return values;
}

} // namespace zindle
