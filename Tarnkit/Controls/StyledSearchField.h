#pragma once

#include "Tarnkit/Controls/SearchField.h"
#include "Tarnkit/Controls/StyledSearchFieldCell.h"

namespace tarnkit {

/// The library's search field: drawn by a StyledSearchFieldCell (its cell must stay one),
/// sized by its bezel image, with the library's focus ring in place of the system's.
///
/// - alignmentRectInsets: the class style's (the bezel's 2-point margin);
/// - intrinsicContentSize: bezelled with a current bezel image, the larger of the field's
///   size and the image's, less the alignment insets; else the field's size.
///
/// Main thread only.
class StyledSearchField : public SearchField {
    Q_OBJECT
public:
    explicit StyledSearchField(QWidget* parent = nullptr);

    StyledSearchFieldCell& styledCell() const { return static_cast<StyledSearchFieldCell&>(cell()); }
    /// Only a StyledSearchFieldCell will do; anything else stops the program.
    void setCell(std::unique_ptr<Cell> cell) override;

    bool verticallyCenter() const { return verticallyCenter_; }
    /// Stores the flag, copies it to the cell and redraws.
    void setVerticallyCenter(bool center);

    EdgeInsets alignmentRectInsets() const override;
    Size intrinsicContentSize() const override;

protected:
    /// The cell, then the focus ring while isShown.
    void drawRect(QPainter& painter, const Rect& dirtyRect) override;

private:
    bool verticallyCenter_ = true;
};

} // namespace tarnkit
