#pragma once

#include "platform/foundation/Observation.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace tarnkit {

/// What the content of a WindowController knows of the window it is shown in. The window owns
/// it; content reaches it through the constructor argument the controller hands it, or with
/// WindowState::of(view). Observable: readers inside an observation-tracking scope are told when
/// parentWindow changes. Main thread.
class WindowState : public QObject {
    Q_OBJECT
public:
    explicit WindowState(QObject* parent = nullptr);

    /// The window the content is shown in; null when none or once it is destroyed. Registers
    /// the read with the tracking scope that is running.
    QWidget* parentWindow() const { return parentWindow_.get(); }

    /// Tells the observers only on a real change (another window, or a window to none).
    void setParentWindow(QWidget* window);

    /// Calls callback after every later change until the token ends.
    foundation::ObservationToken observeParentWindow(std::function<void(QWidget*)> callback);

    /// The state of the window view is shown in, when a WindowController made that window.
    static WindowState* of(const QWidget* view);

private:
    foundation::Observed<QPointer<QWidget>> parentWindow_;
};

} // namespace tarnkit
