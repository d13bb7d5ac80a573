#include "Tarnkit/Fields/FirstResponderAwareTextField.h"

#include "Tarnkit/Foundation/FirstResponder.h"

#include <QApplication>
#include <QEvent>

namespace tarnkit {

FirstResponderAwareTextField::FirstResponderAwareTextField(QWidget* parent)
    : FirstResponderAwareTextField(std::make_unique<TextFieldCell>(), parent)
{
}

FirstResponderAwareTextField::FirstResponderAwareTextField(std::unique_ptr<TextFieldCell> cell, QWidget* parent)
    : TextField(std::move(cell), parent)
{
    windowMayHaveChanged();
}

FirstResponderAwareTextField::~FirstResponderAwareTextField()
{
    windowListenerCancellables_.clear();
    firstResponderPublisher_.sendCompletion();
}

void FirstResponderAwareTextField::firstResponderStatusChanged(bool)
{
}

bool FirstResponderAwareTextField::event(QEvent* event)
{
    // The field stops listening before it moves (the focus it may give up on the way belongs
    // to the window it leaves) and listens again once it has arrived.
    if (event->type() == QEvent::ParentAboutToChange)
        listen(nullptr);
    const bool handled = TextField::event(event);
    if (event->type() == QEvent::ParentChange || event->type() == QEvent::Show)
        windowMayHaveChanged();
    return handled;
}

void FirstResponderAwareTextField::windowMayHaveChanged()
{
    QWidget* const window = hostWindow(this);
    const bool listening = !windowListenerCancellables_.empty();
    if (window == window_.data() && listening == (window != nullptr))
        return;
    listen(window);
}

void FirstResponderAwareTextField::listen(QWidget* window)
{
    // One window at a time: what the field left behind no longer speaks for it.
    windowListenerCancellables_.clear();
    window_ = window;
    if (!window)
        return;
    auto readFirstResponder = [this, watched = QPointer<QWidget>(window)] {
        if (watched)
            deliver(watched->focusWidget());
    };
    const QMetaObject::Connection connection =
        connect(qApp, &QApplication::focusChanged, this, [readFirstResponder](QWidget*, QWidget*) { readFirstResponder(); });
    Cancellable([connection] { QObject::disconnect(connection); }).store(windowListenerCancellables_);
    readFirstResponder();
}

void FirstResponderAwareTextField::deliver(const QWidget* firstResponder)
{
    const bool status = firstResponder
                        && (firstResponder == this || (isFieldEditor(firstResponder) && firstResponder == currentEditor()));
    if (status == publishedFirstResponderStatus_)
        return;
    publishedFirstResponderStatus_ = status;
    firstResponderPublisher_.send({this, status});
    firstResponderStatusChanged(status);
}

} // namespace tarnkit
