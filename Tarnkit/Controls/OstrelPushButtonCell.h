#pragma once

#include "Tarnkit/Controls/ButtonCell.h"
#include "Tarnkit/Foundation/ButtonCellStyle.h"
#include "Tarnkit/Foundation/Selectable.h"
#include "Tarnkit/Foundation/StyledView.h"

namespace tarnkit {

/// The push button's cell: a bezel image stretched over the frame (less its own edge insets
/// for a rounded bezel), the title 6 points up from ButtonCell's title rect and 10 shorter,
/// its insets held by the cell itself. Its style is a ButtonCellStyle of its own class, apart
/// from StyledButtonCell's. Main thread only.
class OstrelPushButtonCell : public ButtonCell, public Selectable, public StyledView {
public:
    explicit OstrelPushButtonCell(QString title = {});
    explicit OstrelPushButtonCell(ImageRef image);

    /// The style every OstrelPushButtonCell shares: a default ButtonCellStyle, made on first
    /// use.
    static ButtonCellStyle& classStyle();
    ButtonCellStyle& style() const override;

    EdgeInsets imageEdgeInsets() const { return imageEdgeInsets_; }
    EdgeInsets titleEdgeInsets() const { return titleEdgeInsets_; }
    EdgeInsets edgeInsets() const { return edgeInsets_; }
    bool isSelected() const override { return selected_; }
    void setSelected(bool selected) override { selected_ = selected; }

    /// The title in the library's control font and the style's text colour for the state,
    /// centred and truncated at the tail.
    AttributedString attributedTitle() const override;

    /// Bordered or bezelled: ButtonCell's drawing rect (the edge insets do not apply here);
    /// otherwise the bounds.
    Rect drawingRect(const Rect& bounds) const override;
    /// As StyledButtonCell's, with the cell's own image edge insets.
    Rect imageRect(const Rect& bounds) const override;
    /// ButtonCell's title rect of the bounds, inset by the title edge insets; never centred.
    Rect titleRect(const Rect& bounds) const override;

    /// The style's bezel image for the state, stretched into the frame inset by edgeInsets for
    /// a rounded bezel (the whole frame for any other), at half opacity while disabled.
    void drawBezel(QPainter& painter, const Rect& frame, QWidget& view) override;
    Rect drawTitle(QPainter& painter, const AttributedString& title, const Rect& frame, QWidget& view) override;
    void drawImage(QPainter& painter, const ImageRef& image, const Rect& frame, QWidget& view) override;

private:
    AttributedString titleFor(const QString& string) const;

    EdgeInsets imageEdgeInsets_{0, 0, 0, 0};
    EdgeInsets titleEdgeInsets_{4, 0, 6, 0};
    EdgeInsets edgeInsets_{3, 4, 5, 4};
    bool selected_ = false;
};

} // namespace tarnkit
