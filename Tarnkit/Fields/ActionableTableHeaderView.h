#pragma once

#include "Tarnkit/Fields/ImageButton.h"
#include "Tarnkit/Fields/StyledTableHeaderView.h"
#include "Tarnkit/Foundation/Cancellable.h"

namespace tarnkit {

/// A styled table header with two image buttons at the visible trailing edge: an add button
/// ("properties-table-add") and, right of it, an option button
/// ("properties-tableheader-overflow"), each showing its "-down" image while pressed. Their
/// target and action are the owner's to set (ControlAction.h).
///
/// layout() places the option button 2 points in from the right edge of what the table's
/// content view shows, centred vertically, and the add button directly left of it; a hidden
/// button takes no room, so the add button moves into the option button's place. The header
/// lays out again whenever its table's content view scrolls or changes size (it asks that
/// clip view to post its notifications): only that clip view's notifications count, delivered
/// on the main queue. Main thread only.
class ActionableTableHeaderView : public StyledTableHeaderView {
    Q_OBJECT
public:
    static constexpr double trailingInset = 2;

    explicit ActionableTableHeaderView(QWidget* parent = nullptr);

    ImageButton* addItemButton() const { return addItemButton_; }
    ImageButton* optionButton() const { return optionButton_; }
    void hideAddItemButton();
    void hideOptionButton();

    /// Also makes the table's content view post its bounds and frame notifications.
    void setTableView(TableView* table) override;
    void layout() override;

    /// How far the header's right edge lies beyond what the content view shows, negated (0
    /// without a table in a scroll view, or when the content shows past the header).
    double trailingOffset() const;

private:
    void subscribeToScrolling();
    /// The frame a button takes, its right edge at right (a hidden one: zero size there).
    QRect buttonFrame(ImageButton* button, double right) const;

    ImageButton* addItemButton_;
    ImageButton* optionButton_;
    CancellableSet cancellables_;
};

} // namespace tarnkit
