#pragma once

#include "Tarnkit/Fields/TextField.h"
#include "Tarnkit/Foundation/Cancellable.h"
#include "Tarnkit/Foundation/PassthroughSubject.h"

#include <QPointer>

#include <utility>

namespace tarnkit {

/// A text field that says whether it holds the keyboard focus of its window: it or its field
/// editor is the window's first responder (G1). Each change of that status is sent once on
/// firstResponderPublisher as (field, status) and handed to firstResponderStatusChanged; a
/// delivery of the status already published sends nothing.
///
/// The field listens to the first responder of the window it sits in: from the moment it
/// arrives there (the current first responder is read at once) until it is about to leave. Arriving in
/// another window drops the old window's subscription, so focus changes there no longer
/// count; leaving for no window ends them all. The window is checked again whenever the field
/// is reparented or shown. The first responder of a window that is not key changes only by
/// the window's own moves: those are read when it becomes key again.
///
/// Main thread only: the subject sends on the main thread, as the focus changes.
class FirstResponderAwareTextField : public TextField {
    Q_OBJECT
public:
    using Status = std::pair<TextField*, bool>;

    explicit FirstResponderAwareTextField(QWidget* parent = nullptr);
    /// Sends the publisher its completion.
    ~FirstResponderAwareTextField() override;

    const PassthroughSubject<Status>& firstResponderPublisher() const { return firstResponderPublisher_; }
    bool publishedFirstResponderStatus() const { return publishedFirstResponderStatus_; }
    /// The subscriptions to the window's first responder (one while in a window).
    const CancellableSet& windowListenerCancellables() const { return windowListenerCancellables_; }

protected:
    FirstResponderAwareTextField(std::unique_ptr<TextFieldCell> cell, QWidget* parent);

    /// Called after each published change; nothing here.
    virtual void firstResponderStatusChanged(bool isFirstResponder);

    bool event(QEvent* event) override;

private:
    void windowMayHaveChanged();
    void listen(QWidget* window);
    void deliver(const QWidget* firstResponder);

    PassthroughSubject<Status> firstResponderPublisher_;
    bool publishedFirstResponderStatus_ = false;
    CancellableSet windowListenerCancellables_;
    QPointer<QWidget> window_;
};

} // namespace tarnkit
