#pragma once

#include "Tarnkit/Foundation/Style.h"

namespace tarnkit {

/// A view or cell that draws from a style object: the one its class shares (made once, on
/// first use, by the class). A subclass returns its own style class (a covariant override),
/// which is what the state-driven lookups of StyleLookups.h go by. Main thread.
class StyledView {
public:
    virtual ~StyledView() = default;

    virtual Style& style() const = 0;
};

} // namespace tarnkit
