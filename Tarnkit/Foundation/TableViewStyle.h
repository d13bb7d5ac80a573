#pragma once

#include "Tarnkit/Foundation/ControlStyle.h"

namespace tarnkit {

/// The table view: row, selected-row and header backgrounds; the rows' background is also the
/// style's background.
class TableViewStyle : public ControlStyle {
public:
    TableViewStyle();

    const ColorRef& rowBackgroundColor() const { return rowBackgroundColor_; }
    void setRowBackgroundColor(ColorRef color) { rowBackgroundColor_ = std::move(color); }
    const ColorRef& selectedRowBackgroundColor() const { return selectedRowBackgroundColor_; }
    void setSelectedRowBackgroundColor(ColorRef color) { selectedRowBackgroundColor_ = std::move(color); }
    const ColorRef& headerBackgroundColor() const { return headerBackgroundColor_; }
    void setHeaderBackgroundColor(ColorRef color) { headerBackgroundColor_ = std::move(color); }

    /// selectedRowBackgroundColor when state holds selected, else rowBackgroundColor.
    virtual ColorRef rowBackgroundColor(StyledControlState state) const;

private:
    ColorRef rowBackgroundColor_;
    ColorRef selectedRowBackgroundColor_;
    ColorRef headerBackgroundColor_;
};

/// The outline view: a table view style under its own name.
class OutlineViewStyle : public TableViewStyle {
public:
    OutlineViewStyle() = default;
};

} // namespace tarnkit
