#pragma once

#include "Tarnkit/Foundation/Publisher.h"

#include <QPointer>
#include <QWidget>

namespace tarnkit {

// What first responder, key window and field editor are here:
// - A view's window is its top-level widget; a view that is a top-level widget of its own sits
//   in no window.
// - A window's first responder is its focus widget (the one that has, or last had, the keyboard
//   focus in it); the key window is the application's active window.
// - A field editor is the line or text edit a view edits its text in while editing (a QLineEdit,
//   QTextEdit or QPlainTextEdit); a view names its own through currentEditor().

/// A view that edits in a field editor of its own, and names it while editing. Main thread.
class FieldEditorHost {
public:
    virtual ~FieldEditorHost() = default;

    /// The field editor in use, or null when the view is not editing.
    virtual QWidget* currentEditor() const = 0;
};

/// Whether view is a field editor: a line, text or plain-text edit.
bool isFieldEditor(const QWidget* view);

/// The field editor view is editing in, or null: a FieldEditorHost's own, an editable combo
/// box's line edit, a spin box's line edit. Main thread.
QWidget* currentEditor(const QWidget* view);

/// The window view sits in, or null when view is null or a top-level widget itself.
QWidget* hostWindow(const QWidget* view);

/// Whether view has the keyboard focus of the key window: it sits in a window, that window is
/// the active one, and view or its field editor is the window's first responder
/// (isFirstResponderInCurrentWindow in ViewSugar.h). This is when a styled control draws its
/// focus ring. Main thread.
bool isFirstResponderInKeyWindow(const QWidget* view);

/// Gives view the keyboard focus in its window, activating the window first unless it is
/// already the active one. Nothing happens when view is null (it was destroyed) or sits in no
/// window (a view that is a top-level widget of its own is in none). Main thread only.
void makeKeyAndFirstResponder(QWidget* view);

/// Makes view its window's first responder each time publisher emits. The view is held
/// weakly: once it is destroyed, values do nothing. Main thread (publisher included).
template <typename T>
[[nodiscard]] Cancellable makeFirstResponder(const Publisher<T>& publisher, QWidget* view)
{
    return publisher.sink([view = QPointer<QWidget>(view)](const T&) { makeKeyAndFirstResponder(view.data()); });
}

} // namespace tarnkit
