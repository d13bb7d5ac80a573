#pragma once

#include "Tarnkit/Controls/SearchFieldCell.h"
#include "Tarnkit/Foundation/StyledView.h"
#include "Tarnkit/Foundation/TextFieldCellStyle.h"

namespace tarnkit {

/// The library's search field cell: a bezel image by state from its class's
/// SearchFieldCellStyle ("tkui-searchfield", focused "tkui-searchfield-focus"), or the plain
/// text field's when the search icon is hidden; its own text geometry between the search and
/// cancel buttons, the text centred vertically; its own copy of the placeholder; and the field
/// editor styled from the text-field style.
///
/// - controlState: the default derivation, plus focused while the field or its editor has the
///   keyboard focus of the key window (so that the focused bezel shows);
/// - drawingRect: the bounds while the field editor is being set up, or when neither bezelled
///   nor bordered; else the bounds inset by the style's padding;
/// - searchTextRect: x = 4, or the search button's far edge less 10 with the icon; as wide as
///   SearchFieldCell's without a cancel button, else to 2 points into the cancel button, never
///   narrower than 0; with verticallyCenter one line of the string high, centred on the
///   middle of that rect (y = midY − h / 2); made integral;
/// - draw: the current bezel image (tinted) over the frame when bezelled or bordered, then the
///   interior: the placeholder (the text-input font, the placeholder colour) while empty, else
///   the string in the style's text colour for the state, moved by (2, −1) when bordered; the
///   search button with the icon; the cancel button while there is text.
///
/// Main thread only.
class StyledSearchFieldCell : public SearchFieldCell, public StyledView {
public:
    explicit StyledSearchFieldCell(QString string = {});

    /// The style every StyledSearchFieldCell shares: a SearchFieldCellStyle with the search
    /// field bezels, made on first use and kept for the whole run.
    static SearchFieldCellStyle& classStyle();
    SearchFieldCellStyle& style() const override;

    bool showsSearchIcon() const { return showsSearchIcon_; }
    void setShowsSearchIcon(bool shows) { showsSearchIcon_ = shows; }
    bool verticallyCenter() const { return verticallyCenter_; }
    void setVerticallyCenter(bool center) { verticallyCenter_ = center; }
    /// True only while editWithFrame / selectWithFrame run.
    bool isBeingEdited() const { return beingEdited_; }
    bool isBeingSelected() const { return beingSelected_; }

    /// The style's bezel image for the current state: the class's style with the search icon,
    /// a plain text-field style without it. May be null.
    ImageRef currentBezelImage() const;

    StyledControlState controlState() const override;

    /// The cell's own copy of the placeholder. Setting one also makes the attributed
    /// placeholder from it; setting none clears both.
    std::optional<QString> placeholderString() const override { return internalPlaceholderString_; }
    void setPlaceholderString(std::optional<QString> placeholder) override;
    /// string in font (the style's when none is given) and the style's text colour for the
    /// current state.
    AttributedString attributedText(const QString& string, const FontRef& font = {}) const;
    AttributedString attributedTitle() const override;

    /// The style's interior background style (the cell's own background style starts as the
    /// style's).
    BackgroundStyle interiorBackgroundStyle() const override;

    Rect drawingRect(const Rect& bounds) const override;
    /// Zero while the search icon is hidden.
    Rect searchButtonRect(const Rect& bounds) const override;
    Rect searchTextRect(const Rect& bounds) const override;
    /// The search text rect as it is while the editor is being set up (over the bounds).
    Rect fieldEditorRect(const Rect& frame) const override;

    void draw(QPainter& painter, const Rect& frame, QWidget& view) override;
    void drawInterior(QPainter& painter, const Rect& frame, QWidget& view) override;

    void editWithFrame(const Rect& frame, QWidget& view, QLineEdit& editor, const QMouseEvent* event) override;
    void selectWithFrame(const Rect& frame, QWidget& view, QLineEdit& editor, int start, int length) override;
    QLineEdit& setUpFieldEditorAttributes(QLineEdit& editor) const override;

protected:
    std::optional<AttributedString> placeholderText() const override;
    Rect textDrawingRect(const Rect& frame) const override;

private:
    bool showsSearchIcon_ = true;
    bool verticallyCenter_ = true;
    std::optional<QString> internalPlaceholderString_;
    mutable bool beingEdited_ = false;
    bool beingSelected_ = false;
};

} // namespace tarnkit
