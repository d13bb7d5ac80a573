#pragma once

#include "platform/audiounit/Parameter.h"
#include "platform/audiounit/ParameterTree.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zindlehost {

/// `--set identifier=value`: value is a number or one of the parameter's value strings.
struct ParameterAssignment {
    std::string identifier;
    std::string value;
};

/// One point of `--automate`: from this time on (seconds from the start of the voice) the
/// parameter holds value.
struct AutomationPoint {
    double seconds = 0.0;
    std::string value;
};

/// `--automate identifier=seconds:value,seconds:value,...`, times strictly increasing.
struct AutomationLane {
    std::string identifier;
    std::vector<AutomationPoint> points;
};

/// Parse the text of one option. Throw HostError (usage) with the fault in one line.
ParameterAssignment parseAssignment(std::string_view text);
AutomationLane parseAutomation(std::string_view text);

/// The parameter of tree with identifier. Throws HostError (usage) naming the identifiers
/// there are.
std::shared_ptr<au::Parameter> findParameter(const au::ParameterTree& tree, std::string_view identifier);

/// An assignment checked against a tree: the parameter and the value to give it.
struct ResolvedSetting {
    std::shared_ptr<au::Parameter> parameter;
    au::AUValue value = 0.0f;
};

/// Every assignment resolved, in order, so that all are checked before the first is set.
/// Throws as findParameter and parseValue.
std::vector<ResolvedSetting> resolveSettings(const au::ParameterTree& tree,
                                             const std::vector<ParameterAssignment>& assignments);

/// Whether parameter's values are whole numbers only (an indexed or a boolean parameter).
bool takesWholeNumbers(const au::Parameter& parameter);

/// The value text means for parameter: a number (C locale, the whole text) or one of its value
/// strings (exact, else ignoring case), which stands for its index. Throws HostError (usage)
/// when it is neither, lies outside the parameter's range, or has a fraction where the
/// parameter takes whole numbers.
au::AUValue parseValue(const au::Parameter& parameter, std::string_view text);

/// A number as the tool prints it in tables and messages ("-1200", "0.3").
std::string numberText(double value);

} // namespace zindlehost
