#include "Tarnkit/Foundation/FirstResponder.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

#include "Tarnkit/Foundation/ViewSugar.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace tarnkit {

bool isFieldEditor(const QWidget* view)
{
    return qobject_cast<const QLineEdit*>(view) || qobject_cast<const QTextEdit*>(view)
           || qobject_cast<const QPlainTextEdit*>(view);
}

QWidget* currentEditor(const QWidget* view)
{
    if (const auto* host = dynamic_cast<const FieldEditorHost*>(view))
        return host->currentEditor();
    if (const auto* combo = qobject_cast<const QComboBox*>(view))
        return combo->lineEdit();
    if (qobject_cast<const QAbstractSpinBox*>(view))
        return view->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
    return nullptr;
}

QWidget* hostWindow(const QWidget* view)
{
    if (!view || view->isWindow())
        return nullptr;
    return view->window();
}

bool isFirstResponderInKeyWindow(const QWidget* view)
{
    const QWidget* window = hostWindow(view);
    return window && window->isActiveWindow() && isFirstResponderInCurrentWindow(view);
}

void makeKeyAndFirstResponder(QWidget* view)
{
    if (!foundation::mainQueue::isMainThread())
        foundation::fatalError("makeKeyAndFirstResponder is called off the main thread",
                               "Tarnkit/NSControl+Combine", __LINE__);
    if (!view || view->isWindow())
        return;
    QWidget* window = view->window();
    if (!window->isActiveWindow())
        window->activateWindow();
    view->setFocus(Qt::OtherFocusReason);
}

} // namespace tarnkit
