#pragma once

#include <stdexcept>
#include <string>

namespace shaderview {

/// The layer's own failure: a shader library, function, pipeline or texture that cannot be
/// made. Thrown by construction calls only, never while drawing.
class ShaderError : public std::runtime_error {
public:
    explicit ShaderError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace shaderview
