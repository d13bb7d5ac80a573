#pragma once

#include "Tarnkit/Controls/Cell.h"

#include <optional>

class QLineEdit;
class QMouseEvent;

namespace tarnkit {

/// The cell of a text field: a line of text (its string value) with a placeholder shown while
/// it is empty, a text colour and a background colour, and the hooks through which its control
/// edits the text in a field editor.
///
/// Its rules (docs/tarnkit.md, "Text fields"):
/// - drawingRect and titleRect are Cell's: the bounds, inset by bezelInsets when bordered or
///   bezelled; the field editor goes in fieldEditorRect (the title rect here);
/// - cellSize: one line of the font high (grown by bezelInsets when bordered or bezelled); as
///   wide as the string only when the cell is not editable, else without a width of its own
///   (Control::noIntrinsicMetric), so that an editable field does not grow while the user types;
/// - draw: the background colour over the frame when drawsBackground, then the interior;
///   drawInterior: the string, or the placeholder while it is empty, in the title rect, but no
///   text of its own while its control edits (the field editor shows it then);
/// - editWithFrame / selectWithFrame: set the editor up (setUpFieldEditorAttributes), give it
///   the string, place it over fieldEditorRect of the frame and put the caret where the click
///   was / select the range; endEditing is called when the editor is put away.
///
/// Main thread only.
class TextFieldCell : public Cell {
public:
    explicit TextFieldCell(QString string = {});

    const QString& stringValue() const { return title(); }
    void setStringValue(QString string) { setTitle(std::move(string)); }
    /// The string as the cell draws and measures it (attributedTitle).
    AttributedString attributedStringValue() const { return attributedTitle(); }

    virtual std::optional<QString> placeholderString() const { return placeholderString_; }
    virtual void setPlaceholderString(std::optional<QString> placeholder) { placeholderString_ = std::move(placeholder); }
    /// Drawn in place of placeholderString when set.
    const std::optional<AttributedString>& placeholderAttributedString() const { return placeholderAttributed_; }
    void setPlaceholderAttributedString(std::optional<AttributedString> placeholder)
    {
        placeholderAttributed_ = std::move(placeholder);
    }

    bool isEditable() const { return editable_; }
    void setEditable(bool editable) { editable_ = editable; }
    bool isSelectable() const { return selectable_ || editable_; }
    void setSelectable(bool selectable) { selectable_ = selectable; }
    bool drawsBackground() const { return drawsBackground_; }
    void setDrawsBackground(bool draws) { drawsBackground_ = draws; }
    /// The text colour (the control text colour unless set) and the background colour (none
    /// unless set).
    const ColorRef& textColor() const { return textColor_; }
    void setTextColor(ColorRef color) { textColor_ = std::move(color); }
    const ColorRef& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(ColorRef color) { backgroundColor_ = std::move(color); }

    /// The string in the cell's font, paragraph style and text colour (at half alpha while
    /// disabled).
    AttributedString attributedTitle() const override;
    Size cellSize() const override;

    void draw(QPainter& painter, const Rect& frame, QWidget& view) override;
    void drawInterior(QPainter& painter, const Rect& frame, QWidget& view) override;

    // ---- editing ----------------------------------------------------------------------------
    /// Where the field editor goes for a cell drawn in frame: the title rect.
    virtual Rect fieldEditorRect(const Rect& frame) const;
    /// Starts editing in editor over frame of view, the caret where event (a press, may be
    /// null) was.
    virtual void editWithFrame(const Rect& frame, QWidget& view, QLineEdit& editor, const QMouseEvent* event);
    /// Starts editing in editor over frame of view with length characters from start selected.
    virtual void selectWithFrame(const Rect& frame, QWidget& view, QLineEdit& editor, int start, int length);
    /// The editor is put away; nothing here.
    virtual void endEditing(QLineEdit& editor);
    /// Gives editor the cell's font, alignment and text colour, and the placeholder text in its
    /// colour; returns it.
    virtual QLineEdit& setUpFieldEditorAttributes(QLineEdit& editor) const;
    /// Moves editor over fieldEditorRect of frame (in view), as tall as its own line needs and
    /// centred on the rect, its text where the cell draws it. The control calls it again when
    /// it resizes or the text changes.
    void placeFieldEditor(QLineEdit& editor, const Rect& frame, const QWidget& view) const;

protected:
    /// Whether the cell's control edits now (it has a current field editor).
    bool isEditingInControlView() const;
    /// What shows while the string is empty: placeholderAttributedString, else
    /// placeholderString in the cell's font and the library's placeholder colour, else nothing.
    virtual std::optional<AttributedString> placeholderText() const;
    /// What the placeholder is drawn over: nothing here.
    virtual ColorRef placeholderBackgroundColor() const { return {}; }
    /// Draws the string (attributedStringValue), or the placeholder text over its background
    /// while the string is empty, at the top of rect (y-up, in view).
    void drawText(QPainter& painter, const Rect& rect, const QWidget& view) const;

private:
    void startEditing(const Rect& frame, QWidget& view, QLineEdit& editor);

    std::optional<QString> placeholderString_;
    std::optional<AttributedString> placeholderAttributed_;
    bool editable_ = false;
    bool selectable_ = false;
    bool drawsBackground_ = false;
    ColorRef textColor_;
    ColorRef backgroundColor_;
};

/// Gives a field editor a look: the font, the text and caret colour, and the colours of
/// selected text (a null colour keeps the editor's own). Main thread.
void styleFieldEditor(QLineEdit& editor, const QFont& font, const ColorRef& textColor,
                      const ColorRef& selectedTextColor, const ColorRef& selectedBackgroundColor);

} // namespace tarnkit
