#pragma once

#include "Tarnkit/Controls/StyledButtonCell.h"
#include "Tarnkit/Fields/TextFieldCell.h"

namespace tarnkit {

/// The cell of a search field: a text cell with a search button at its leading end and a
/// cancel button, shown while there is text, at its trailing end; the text lies between them.
/// Both buttons are image-only, borderless button cells over the bundle's
/// "tkui-searchfield-search" and "tkui-searchfield-cancel" images (12 x 12).
///
/// Its rules (docs/tarnkit.md, "Search fields"), y-up in the bounds B:
/// - searchButtonRect: 7 points in from the leading edge, 25 wide (the icon at its start, then
///   the room the text reaches back into), as high as the icon and centred on B's middle;
/// - cancelButtonRect: the zero rect while the string is empty, else 26 points in from the
///   trailing edge, 22 wide (the icon centred), as high as the icon and centred likewise;
/// - searchTextRect: the drawing rect's height, from the search button's far edge (the
///   drawing rect's own edge without one) to the cancel button's near edge (the drawing rect's
///   without one), never narrower than 0; the title rect and the field editor's rect;
/// - drawInterior: the text (not while editing), then the search button when its rect is not
///   empty, then the cancel button when there is text.
///
/// Main thread only.
class SearchFieldCell : public TextFieldCell {
public:
    explicit SearchFieldCell(QString string = {});

    StyledButtonCell& searchButtonCell() const { return *searchButtonCell_; }
    StyledButtonCell& cancelButtonCell() const { return *cancelButtonCell_; }

    virtual Rect searchButtonRect(const Rect& bounds) const;
    virtual Rect cancelButtonRect(const Rect& bounds) const;
    virtual Rect searchTextRect(const Rect& bounds) const;

    Rect titleRect(const Rect& bounds) const override;
    void drawInterior(QPainter& painter, const Rect& frame, QWidget& view) override;

protected:
    /// Where the text is drawn for frame: the title rect here.
    virtual Rect textDrawingRect(const Rect& frame) const { return titleRect(frame); }

private:
    std::unique_ptr<StyledButtonCell> searchButtonCell_;
    std::unique_ptr<StyledButtonCell> cancelButtonCell_;
};

} // namespace tarnkit
