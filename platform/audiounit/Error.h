#pragma once

#include <stdexcept>

namespace au {

/// What the layer throws where the host's request cannot be met outside the render thread:
/// an invalid format, a format change while render resources are allocated, a failed
/// allocation of render resources.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace au
