#pragma once

#include "platform/audiounit/Status.h"

#include <optional>
#include <stdexcept>
#include <string>

namespace au {

/// What the layer throws where the host's request cannot be met outside the render thread:
/// an invalid format, a format change while render resources are allocated, a format the unit
/// does not run at, a failed allocation of render resources.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    Error(const std::string& message, Status status) : std::runtime_error(message), status_(status) {}

    /// The status code of the refusal, where it has one (status::formatNotSupported).
    std::optional<Status> status() const { return status_; }

private:
    std::optional<Status> status_;
};

} // namespace au
