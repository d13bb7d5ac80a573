#pragma once

#include "platform/audiounit/AudioUnit.h"
#include "platform/audiounit/Parameter.h"
#include "platform/audiounit/validation/ReportWriter.h"

#include <optional>
#include <string>
#include <vector>

namespace au::validation {

/// The unit's parameter tree as a host reads it: unique addresses and identifiers, then per
/// parameter a finite ordered range, the flags a host needs, a value in range, value strings
/// that fit an indexed range, and value -> text -> value round trips.
class ParameterChecks {
public:
    ParameterChecks(AudioUnit& unit, ReportWriter& report) : unit_(unit), report_(report) {}

    void run();

private:
    void checkParameter(const Parameter& parameter, const std::string& name);
    static std::vector<AUValue> valuesToTry(const Parameter& parameter, bool stepped);
    static std::optional<std::string> roundTripFault(const Parameter& parameter, AUValue value, bool stepped);

    AudioUnit& unit_;
    ReportWriter& report_;
};

} // namespace au::validation
