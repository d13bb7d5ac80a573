#include "platform/ui/TextField.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace ui {

TextField::TextField(QWidget* parent) : QLineEdit(parent) {}

bool TextField::event(QEvent* event)
{
    // Escape belongs to the field while it edits, before any window shortcut takes it.
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void TextField::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        if (onSubmit)
            onSubmit();
        return;
    case Qt::Key_Escape:
        event->accept();
        if (onCancel)
            onCancel();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void TextField::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && onFocusLost)
        onFocusLost();
}

} // namespace ui
