#pragma once

class QWidget;

namespace tarnkit {

/// A control or view that can be told it sits in a selected row or cell, and draws so. Main
/// thread.
class Selectable {
public:
    virtual ~Selectable() = default;

    virtual bool isSelected() const = 0;
    virtual void setSelected(bool selected) = 0;
};

/// Passes selection down from view: sets isSelected of each direct child view that is
/// Selectable, in child order, to selected; with recursive, does the same once more below each
/// of those children (not recursively). So it reaches at most two levels below view, and only
/// through Selectable views. Main thread.
void setSelectedOnSubviews(QWidget* view, bool selected, bool recursive);

} // namespace tarnkit
