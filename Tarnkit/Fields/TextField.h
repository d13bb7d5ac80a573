#pragma once

#include "Tarnkit/Controls/Control.h"
#include "Tarnkit/Fields/TextFieldCell.h"

#include <optional>

class QLineEdit;

namespace tarnkit {

/// A control that shows a line of text through a TextFieldCell and edits it in a field editor:
/// a frameless line edit of its own, shown over the cell's fieldEditorRect only while editing
/// and named by currentEditor() then. A new field is editable, bezelled and draws its
/// background.
///
/// Editing starts when the field takes the keyboard focus (Tab selects the whole text, a click
/// puts the caret where it was) and ends when the focus moves elsewhere in the window; a window
/// that stops being key keeps its editor. While editing, the editor holds the field's place in
/// the tab order. In the editor the text edits as in any line edit (selection, copy, cut and
/// paste, undo); Return keeps the text, sends the action and selects it all; Escape gives back
/// the text the editing started with and selects it. stringValue() follows the editor as the
/// user types.
///
/// Main thread only.
class TextField : public Control {
    Q_OBJECT
public:
    explicit TextField(QWidget* parent = nullptr);
    ~TextField() override;

    TextFieldCell& textCell() const { return static_cast<TextFieldCell&>(cell()); }
    /// Only a TextFieldCell will do; anything else stops the program. Editing ends first.
    void setCell(std::unique_ptr<Cell> cell) override;

    QString stringValue() const { return textCell().stringValue(); }
    void setStringValue(const QString& string);
    std::optional<QString> placeholderString() const { return textCell().placeholderString(); }
    void setPlaceholderString(std::optional<QString> placeholder);
    bool isEditable() const { return textCell().isEditable(); }
    void setEditable(bool editable);
    bool isSelectable() const { return textCell().isSelectable(); }
    void setSelectable(bool selectable);
    bool isBezeled() const { return cell().isBezeled(); }
    void setBezeled(bool bezeled);
    bool isBordered() const { return cell().isBordered(); }
    void setBordered(bool bordered);
    bool drawsBackground() const { return textCell().drawsBackground(); }
    void setDrawsBackground(bool draws);

    /// The field editor while editing, else null.
    QWidget* currentEditor() const override;
    /// The line edit the field edits in (hidden while not editing).
    QLineEdit& fieldEditor() const { return *editor_; }
    bool isEditing() const { return editing_; }

    /// Starts editing (when the field is editable or selectable and enabled) with the whole
    /// text selected, and gives the editor the keyboard focus.
    void selectText();

protected:
    TextField(std::unique_ptr<TextFieldCell> cell, QWidget* parent);

    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool canEdit() const;
    void beginEditing(const QMouseEvent* event);
    void endEditing();
    void contentChanged();

    QLineEdit* editor_;
    bool editing_ = false;
    QString valueBeforeEditing_;
};

} // namespace tarnkit
