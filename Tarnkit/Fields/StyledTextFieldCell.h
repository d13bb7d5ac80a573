#pragma once

#include "Tarnkit/Fields/TextFieldCell.h"
#include "Tarnkit/Foundation/Selectable.h"
#include "Tarnkit/Foundation/StyledView.h"
#include "Tarnkit/Foundation/TextFieldCellStyle.h"

namespace tarnkit {

/// The library's text cell: font and colours from its class's TextFieldCellStyle for the
/// state it computes at each draw (the default derivation: never focused), a bezel image by
/// state, the library's focus ring, and the text centred vertically while verticallyCenter.
///
/// - bezelInsets: the style's edge insets and padding together, so the text keeps clear of the
///   bezel's margin and sits in its padding;
/// - drawingRect: Cell's, then, while verticallyCenter, as high as one line of the string and
///   centred in it (y += (height − h) × 0.5, unrounded); titleRect the same, so both agree;
/// - draw: with drawsBackground, the bezel image for the state (bordered or bezelled) or else
///   the background colour; then the focus ring (inset 2) while the control shows one; then
///   the interior: the string in the style's text colour for the state, or the placeholder in
///   the placeholder colours;
/// - the field editor gets the style's font, text colour and selection colours, and covers the
///   vertically centred title rect; isBeingEdited / isBeingSelected hold while it is in use.
///
/// Main thread only.
class StyledTextFieldCell : public TextFieldCell, public Selectable, public StyledView {
public:
    explicit StyledTextFieldCell(QString string = {});

    /// The style every StyledTextFieldCell shares: a default TextFieldCellStyle, made on first
    /// use and kept for the whole run.
    static TextFieldCellStyle& classStyle();
    TextFieldCellStyle& style() const override;

    bool isSelected() const override { return selected_; }
    void setSelected(bool selected) override { selected_ = selected; }
    bool verticallyCenter() const { return verticallyCenter_; }
    void setVerticallyCenter(bool center) { verticallyCenter_ = center; }
    bool isBeingEdited() const { return beingEdited_; }
    bool isBeingSelected() const { return beingSelected_; }

    /// Gives the cell the style's font, its text and background colours for the current state
    /// and its background style. The constructor runs it.
    void applyStyle();
    /// string in the cell's font (the style's when it has none), its alignment and truncation,
    /// in color or, when none is given, the style's text colour for the current state.
    AttributedString attributedString(const QString& string, const ColorRef& color = {}) const;
    AttributedString attributedTitle() const override;

    /// The style's interior background style (the cell's own background style is set from
    /// the style by applyStyle).
    BackgroundStyle interiorBackgroundStyle() const override;

    EdgeInsets bezelInsets() const override;
    Rect drawingRect(const Rect& bounds) const override;
    Rect titleRect(const Rect& bounds) const override;

    void draw(QPainter& painter, const Rect& frame, QWidget& view) override;

    void editWithFrame(const Rect& frame, QWidget& view, QLineEdit& editor, const QMouseEvent* event) override;
    void selectWithFrame(const Rect& frame, QWidget& view, QLineEdit& editor, int start, int length) override;
    void endEditing(QLineEdit& editor) override;
    QLineEdit& setUpFieldEditorAttributes(QLineEdit& editor) const override;

protected:
    /// The placeholder in the style's font and placeholder text colour, at half its alpha while
    /// disabled (the attributed placeholder as it is, when set), over the style's placeholder
    /// background.
    std::optional<AttributedString> placeholderText() const override;
    ColorRef placeholderBackgroundColor() const override;

private:
    /// Rect moved up by half of what it has beyond one line of the string and made that high,
    /// while verticallyCenter.
    Rect centredOnLine(const Rect& rect) const;

    bool selected_ = false;
    bool verticallyCenter_ = true;
    bool beingEdited_ = false;
    bool beingSelected_ = false;
};

} // namespace tarnkit
