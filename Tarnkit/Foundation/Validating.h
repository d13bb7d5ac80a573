#pragma once

#include <QString>

namespace tarnkit {

/// A control that knows whether its content is valid, and says why not. Main thread.
class Validating {
public:
    virtual ~Validating() = default;

    virtual bool isValid() const = 0;
    /// Why the content is invalid; empty while it is valid.
    virtual QString validationMessage() const = 0;
};

} // namespace tarnkit
