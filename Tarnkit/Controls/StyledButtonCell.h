#pragma once

#include "Tarnkit/Controls/ButtonCell.h"
#include "Tarnkit/Foundation/ButtonCellStyle.h"
#include "Tarnkit/Foundation/Selectable.h"
#include "Tarnkit/Foundation/StyledView.h"

namespace tarnkit {

/// The reference styled cell: bezel, title and image drawn from its class's ButtonCellStyle
/// for the state it computes at each draw, with no highlighting of its own (highlightsBy 0).
/// A subclass changes the look by overriding style() with a style of its own class.
///
/// - drawingRect: bordered or bezelled, the bounds inset by the style's edgeInsets; else the
///   bounds.
/// - imageRect / titleRect: ButtonCell's rect of the bounds inset by the style's image / title
///   edge insets, moved to the vertical middle of the bounds (the title only while
///   verticallyCenterTitle); an image-only cell's image rect is the whole inset rect.
/// - drawBezel: the style's bezel image for the state, into the frame, at half opacity while
///   disabled. drawTitle: the title rebuilt in the style's font and its text colour for the
///   state. drawImage: drawStyledButtonImage.
///
/// Main thread only.
class StyledButtonCell : public ButtonCell, public Selectable, public StyledView {
public:
    explicit StyledButtonCell(QString title = {});
    explicit StyledButtonCell(ImageRef image);

    /// The style every StyledButtonCell shares: a default ButtonCellStyle, made on first use.
    static ButtonCellStyle& classStyle();
    /// The style of the cell's class (classStyle() here).
    ButtonCellStyle& style() const override;

    bool isSelected() const override { return selected_; }
    void setSelected(bool selected) override { selected_ = selected; }
    bool verticallyCenterTitle() const { return verticallyCenterTitle_; }
    void setVerticallyCenterTitle(bool center) { verticallyCenterTitle_ = center; }

    /// The title as drawn: string in the style's font and color, centred, truncated at the tail.
    virtual AttributedString attributedTitle(const QString& string, const QColor& color) const;
    /// attributedTitle of the title in the style's text colour for the current state.
    AttributedString attributedTitle() const override;

    Rect drawingRect(const Rect& bounds) const override;
    Rect imageRect(const Rect& bounds) const override;
    Rect titleRect(const Rect& bounds) const override;

    void drawBezel(QPainter& painter, const Rect& frame, QWidget& view) override;
    Rect drawTitle(QPainter& painter, const AttributedString& title, const Rect& frame, QWidget& view) override;
    void drawImage(QPainter& painter, const ImageRef& image, const Rect& frame, QWidget& view) override;

private:
    bool selected_ = false;
    bool verticallyCenterTitle_ = true;
};

} // namespace tarnkit
