#pragma once

#include "Tarnkit/Fields/TableView.h"
#include "Tarnkit/Foundation/StyledControl.h"
#include "Tarnkit/Foundation/StyledView.h"
#include "Tarnkit/Foundation/TableViewStyle.h"

#include <memory>

namespace tarnkit {

/// A table with the library's look and keyboard behaviour:
/// - moved into a parent, it takes the style's background (the row background colour) and
///   gives it to its scroll view, which then draws it;
/// - a click in a window that is not the active one activates that window first (while
///   makeKeyOnClick, the default), then selects as usual;
/// - the keys move the selection only while allowKeyboardNavigation (off by default);
///   otherwise every key goes to the parent;
/// - applyHeaderStyle restyles the visible columns' headers with StyledTableHeaderCells.
/// Main thread only.
class StyledTableView : public TableView, public StyledView, public StyledControl {
    Q_OBJECT
public:
    explicit StyledTableView(QWidget* parent = nullptr);

    bool makeKeyOnClick() const { return makeKeyOnClick_; }
    void setMakeKeyOnClick(bool make) { makeKeyOnClick_ = make; }
    bool allowKeyboardNavigation() const { return allowKeyboardNavigation_; }
    void setAllowKeyboardNavigation(bool allow) { allowKeyboardNavigation_ = allow; }

    /// A default TableViewStyle (the table's own).
    TableViewStyle& style() const override;
    /// default, plus disabled while the table is disabled.
    StyledControlState controlState() const override;

    /// For each visible column, in order: a new StyledTableHeaderCell with the old header's
    /// title and image, drawing a clear background (raised), tinted with tintColor, its title
    /// in textColor and font; installed with the column's setHeaderCell. Hidden columns keep
    /// theirs.
    void applyHeaderStyle(const ColorRef& textColor, const ColorRef& tintColor, const QFont& font);

    /// The index of every column, 0 up to (not including) the number of columns; empty for a
    /// table without columns.
    IndexSet allColumnIndexes() const;

protected:
    void superviewChanged() override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool makeKeyOnClick_ = true;
    bool allowKeyboardNavigation_ = false;
    mutable std::unique_ptr<TableViewStyle> style_;
};

} // namespace tarnkit
