#pragma once

#include "Tarnkit/Fields/FirstResponderAwareTextField.h"
#include "Tarnkit/Fields/StyledTextFieldCell.h"
#include "Tarnkit/Foundation/Selectable.h"

namespace tarnkit {

/// The library's text field: a first-responder-aware field drawn by a StyledTextFieldCell
/// (which draws the focus ring itself), with a vertical inset for its alignment rect and its
/// text centred vertically. Its cell must stay a StyledTextFieldCell.
///
/// - alignmentRectInsets: (verticalInset, 2, verticalInset, 2) when bezelled or bordered;
///   Control's otherwise;
/// - intrinsicContentSize: the cell's size grown to the bezel image for the state (bezelled or
///   bordered), so an editable field is at least the image wide;
/// - the baselines are measured on the cell's title rect of the bounds.
///
/// Main thread only.
class StyledTextField : public FirstResponderAwareTextField, public Selectable {
    Q_OBJECT
public:
    explicit StyledTextField(QWidget* parent = nullptr, double verticalInset = 0);

    StyledTextFieldCell& styledCell() const { return static_cast<StyledTextFieldCell&>(cell()); }
    /// Only a StyledTextFieldCell will do; anything else stops the program.
    void setCell(std::unique_ptr<Cell> cell) override;

    double verticalInset() const { return verticalInset_; }
    void setVerticalInset(double inset);
    /// The cell's selection; setting it redraws.
    bool isSelected() const override;
    void setSelected(bool selected) override;
    bool verticallyCenter() const { return verticallyCenter_; }
    /// Stores the flag, copies it to the cell and redraws.
    void setVerticallyCenter(bool center);

    EdgeInsets alignmentRectInsets() const override;
    Size intrinsicContentSize() const override;
    /// From the top of the bounds to the top of the title rect's line, and from the bottom of
    /// the bounds to its bottom, each beyond the alignment rect (y-up, an unflipped view).
    double firstBaselineOffsetFromTop() const;
    double lastBaselineOffsetFromBottom() const;

protected:
    StyledTextField(std::unique_ptr<StyledTextFieldCell> cell, QWidget* parent, double verticalInset);

private:
    double verticalInset_ = 0;
    bool verticallyCenter_ = true;
};

} // namespace tarnkit
