#pragma once

#include "Tarnkit/Foundation/PassthroughSubject.h"
#include "Tarnkit/Foundation/Publisher.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <concepts>

namespace tarnkit {

/// A control's actions as a stream: each time the control sends its action, the control itself
/// is published. Made once per control by controlEventPublisher() and attached to the control
/// (a child object named "PublisherHelperKey"), so every caller shares it and it lives exactly
/// as long as the control; its subscribers receive the completion when the control goes. It
/// holds the control weakly and becomes the control's target (see ControlAction.h). Main thread.
class ControlPublisher : public QObject {
    Q_OBJECT
public:
    explicit ControlPublisher(QWidget* control);
    ~ControlPublisher() override;

    QWidget* control() const { return control_.data(); }
    const PassthroughSubject<QWidget*>& subject() const { return subject_; }
    Publisher<QWidget*> publisher() const { return subject_.publisher(); }

    /// The events with the control as its own type.
    template <std::derived_from<QWidget> Control>
    Publisher<Control*> events() const
    {
        return publisher().map([](QWidget* control) { return static_cast<Control*>(control); });
    }

    [[nodiscard]] Cancellable sink(std::function<void(QWidget* const&)> receiveValue,
                                   std::function<void()> receiveCompletion = {}) const
    {
        return subject_.sink(std::move(receiveValue), std::move(receiveCompletion));
    }

    /// The action: publishes the sender, which is the control.
    Q_INVOKABLE void controlActionWithSender(QObject* sender);

private:
    QPointer<QWidget> control_;
    PassthroughSubject<QWidget*> subject_;
};

/// The control's single publisher, made (and made the control's target) on first use.
ControlPublisher& controlEventPublisher(QWidget* control);

// The value of a property, read as the control sends its action.

/// The pop-up's selected index (−1 when none).
Publisher<int> selectedItemPublisher(QComboBox* popUp);
/// The button's state: checked, unchecked, or partially checked for a tristate check box.
Publisher<Qt::CheckState> controlStatePublisher(QAbstractButton* button);
/// The control's value() as a double (sliders, spin boxes).
template <typename Control>
    requires std::derived_from<Control, QWidget> && requires(const Control& c) { double(c.value()); }
Publisher<double> doubleValuePublisher(Control* control)
{
    return controlEventPublisher(control).template events<Control>().map([](Control* c) { return double(c->value()); });
}

} // namespace tarnkit
