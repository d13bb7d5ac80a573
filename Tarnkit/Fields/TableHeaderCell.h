#pragma once

#include "Tarnkit/Controls/Cell.h"

#include <optional>

namespace tarnkit {

/// The platform's control background colour in the fixed dark look. One shared object.
const ColorRef& controlBackgroundColor();

/// The cell that draws one column's header: a text cell (its title is the column's title)
/// with an optional image. A plain header fills its frame with its background colour when it
/// draws a background, then draws its title 4 points in from the leading edge, vertically
/// centred, in its text colour and font (the header font and colour of the Styles catalogue
/// unless set), and its image, if any, centred. An attributed string value, once set, is
/// drawn instead of the title. Geometry is y-up in the header view (Cell.h). Main thread only.
class TableHeaderCell : public Cell {
public:
    explicit TableHeaderCell(QString title = {});

    const QString& stringValue() const { return title(); }
    void setStringValue(QString string);
    /// What is drawn as the title: the attributed string value when set, else the title in
    /// the cell's font and text colour.
    AttributedString attributedStringValue() const;
    void setAttributedStringValue(AttributedString value);

    bool drawsBackground() const { return drawsBackground_; }
    void setDrawsBackground(bool draws) { drawsBackground_ = draws; }
    const ColorRef& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(ColorRef color) { backgroundColor_ = std::move(color); }
    const ColorRef& textColor() const { return textColor_; }
    void setTextColor(ColorRef color) { textColor_ = std::move(color); }

    AttributedString attributedTitle() const override { return attributedStringValue(); }
    Rect titleRect(const Rect& frame) const override;
    Rect imageRect(const Rect& frame) const override;
    void draw(QPainter& painter, const Rect& frame, QWidget& view) override;

protected:
    /// Fills frame with color (no colour: nothing).
    static void fill(QPainter& painter, const ColorRef& color, const Rect& frame, const QWidget& view);

private:
    bool drawsBackground_ = true;
    ColorRef backgroundColor_;
    ColorRef textColor_;
    std::optional<AttributedString> attributedStringValue_;
};

} // namespace tarnkit
