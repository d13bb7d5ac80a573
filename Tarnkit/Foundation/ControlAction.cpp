#include "Tarnkit/Foundation/ControlAction.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

#include <QMetaMethod>
#include <QPointer>
#include <QWidget>

#include <string>

namespace tarnkit {

namespace {

constexpr std::string_view source = "Tarnkit/NSControl+Closures";

void requireMainThread(int line)
{
    foundation::mainQueue::requireMainThread("a control's action is used off the main thread", source, line);
}

// The action signal of the Qt controls, by class; a control's own `action()` signal wins.
struct ActionSignal {
    const char* className;
    const char* signature;
};
constexpr ActionSignal actionSignals[] = {
    {"QAbstractButton", "clicked(bool)"},
    {"QComboBox", "activated(int)"},
    {"QAbstractSlider", "valueChanged(int)"},
    {"QSpinBox", "valueChanged(int)"},
    {"QDoubleSpinBox", "valueChanged(double)"},
    {"QLineEdit", "editingFinished()"},
};

QMetaMethod actionSignalOf(const QWidget* control)
{
    const QMetaObject* meta = control->metaObject();
    if (const int own = meta->indexOfSignal("action()"); own >= 0)
        return meta->method(own);
    for (const ActionSignal& entry : actionSignals) {
        if (control->inherits(entry.className))
            return meta->method(meta->indexOfSignal(entry.signature));
    }
    foundation::fatalError(std::string(meta->className()) + " has no action signal", source, __LINE__);
}

} // namespace

/// Attached to a control (a child object) once it has a target or an action: holds them and
/// is connected to the control's action signal.
class ControlActionRouter : public QObject {
    Q_OBJECT
public:
    explicit ControlActionRouter(QWidget* control) : QObject(control), control_(control)
    {
        const QMetaMethod signal = actionSignalOf(control);
        const QMetaMethod slot = metaObject()->method(metaObject()->indexOfSlot("controlDidAct()"));
        connect(control, signal, this, slot);
    }

    static ControlActionRouter* of(const QWidget* control)
    {
        return control->findChild<ControlActionRouter*>(QString(), Qt::FindDirectChildrenOnly);
    }
    static ControlActionRouter& make(QWidget* control)
    {
        if (auto* router = of(control))
            return *router;
        return *new ControlActionRouter(control);
    }

    QPointer<QObject> target;
    std::optional<Selector> action;

    bool send()
    {
        if (!action || !control_)
            return false;
        return tarnkit::sendAction(*action, target.data(), control_.data());
    }

private slots:
    void controlDidAct() { send(); }

private:
    QPointer<QWidget> control_;
};

void setTarget(QWidget* control, QObject* newTarget, std::optional<Selector> newAction)
{
    requireMainThread(__LINE__);
    ControlActionRouter& router = ControlActionRouter::make(control);
    router.target = newTarget;
    router.action = std::move(newAction);
}

QObject* target(const QWidget* control)
{
    requireMainThread(__LINE__);
    const auto* router = ControlActionRouter::of(control);
    return router ? router->target.data() : nullptr;
}

std::optional<Selector> action(const QWidget* control)
{
    requireMainThread(__LINE__);
    const auto* router = ControlActionRouter::of(control);
    return router ? router->action : std::nullopt;
}

bool sendAction(QWidget* control)
{
    requireMainThread(__LINE__);
    auto* router = ControlActionRouter::of(control);
    return router && router->send();
}

} // namespace tarnkit

#include "ControlAction.moc"
