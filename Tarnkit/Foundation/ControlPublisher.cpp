#include "Tarnkit/Foundation/ControlPublisher.h"

#include "Tarnkit/Foundation/ControlAction.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

#include <QCheckBox>

namespace tarnkit {

namespace {

constexpr std::string_view source = "Tarnkit/NSControl+Combine";
const QString publisherKey = QStringLiteral("PublisherHelperKey");

} // namespace

ControlPublisher::ControlPublisher(QWidget* control) : QObject(control), control_(control)
{
    setObjectName(publisherKey);
    setTarget(control, this, Selector{"controlActionWithSender"});
}

ControlPublisher::~ControlPublisher()
{
    subject_.sendCompletion();
}

void ControlPublisher::controlActionWithSender(QObject* sender)
{
    auto* control = qobject_cast<QWidget*>(sender);
    if (!control)
        foundation::fatalError("the action's sender is not a control", source, __LINE__);
    subject_.send(control);
}

ControlPublisher& controlEventPublisher(QWidget* control)
{
    if (!foundation::mainQueue::isMainThread())
        foundation::fatalError("a control's publisher is used off the main thread", source, __LINE__);
    if (auto* existing = control->findChild<ControlPublisher*>(publisherKey, Qt::FindDirectChildrenOnly))
        return *existing;
    return *new ControlPublisher(control);
}

Publisher<int> selectedItemPublisher(QComboBox* popUp)
{
    return controlEventPublisher(popUp).events<QComboBox>().map([](QComboBox* p) { return p->currentIndex(); });
}

Publisher<Qt::CheckState> controlStatePublisher(QAbstractButton* button)
{
    return controlEventPublisher(button).events<QAbstractButton>().map([](QAbstractButton* b) {
        if (auto* checkBox = qobject_cast<QCheckBox*>(b))
            return checkBox->checkState();
        return b->isChecked() ? Qt::Checked : Qt::Unchecked;
    });
}

} // namespace tarnkit
