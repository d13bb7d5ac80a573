#pragma once

#include "Tarnkit/Fields/TableHeaderCell.h"
#include "Tarnkit/Foundation/StyledView.h"
#include "Tarnkit/Foundation/TableViewStyle.h"

namespace tarnkit {

/// The styled table's header cell: its frame filled with its tint, then its attributed title
/// inset 4 points from the frame's left for the first column (a frame starting left of x = 5)
/// and 1 point otherwise, and floor((height − line height) / 2) from the top and bottom; then
/// its image, centred across the frame and placed (frame height − image height) / 2 from the
/// header's bottom (the frame's own y does not enter). Pressing it changes only its state.
///
/// It is made with a title and an image only (there is no text-cell initialiser). Geometry is
/// y-up in the header view (Cell.h). Main thread only.
class StyledTableHeaderCell : public TableHeaderCell {
public:
    explicit StyledTableHeaderCell(QString title, ImageRef image = nullptr);

    /// The fill behind the header; none draws no fill. The platform's control background
    /// colour unless set.
    const ColorRef& tintColor() const { return tintColor_; }
    void setTintColor(ColorRef color) { tintColor_ = std::move(color); }

    /// The style every styled header cell shares, made on first use.
    static TableViewStyle& classStyle();
    /// default (1), plus disabled (2), plus highlighted (8).
    StyledControlState controlState() const override;

    Rect titleRect(const Rect& frame) const override;
    Rect imageRect(const Rect& frame) const override;
    void draw(QPainter& painter, const Rect& frame, QWidget& view) override;
    /// Sets the state, then draws as usual.
    void highlight(bool flag, const Rect& frame, QWidget& view) override;

private:
    ColorRef tintColor_;
};

} // namespace tarnkit
