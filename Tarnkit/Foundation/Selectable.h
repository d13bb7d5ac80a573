#pragma once

namespace tarnkit {

/// A control or view that can be told it sits in a selected row or cell, and draws so. Main
/// thread.
class Selectable {
public:
    virtual ~Selectable() = default;

    virtual bool isSelected() const = 0;
    virtual void setSelected(bool selected) = 0;
};

} // namespace tarnkit
