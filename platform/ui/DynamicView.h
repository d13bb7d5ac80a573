#pragma once

#include "platform/ui/Stack.h"

#include "platform/foundation/Observation.h"

#include <QPointer>

#include <functional>
#include <memory>

namespace ui {

/// A view whose content is rebuilt when the model decides so: key reads the model (observed),
/// and whenever something it read changes and it gives a different key, build makes fresh
/// content for the new key. The content fills the view (an overlay stack), and the rebuild
/// happens on the next turn of the main loop, never inside the change that caused it (the
/// control whose click caused it may still be running), and the old content is deleted then. build runs outside observation, so
/// what the content reads while it is made does not cause rebuilds. Main thread.
template <typename Key>
class DynamicView : public Stack {
public:
    DynamicView(std::function<Key()> key, std::function<QWidget*(const Key&)> build, QWidget* parent = nullptr)
        : Stack(Axis::overlay, 0, Qt::AlignCenter, parent), key_(std::move(key)), build_(std::move(build))
    {
        current_ = trackKey();
        content_ = add(build_(current_));
    }

    QWidget* content() const { return content_; }
    const Key& currentKey() const { return current_; }

private:
    Key trackKey()
    {
        Key result{};
        tracking_ = foundation::withObservationTracking([&] { result = key_(); }, [this] { scheduleCheck(); });
        return result;
    }

    void scheduleCheck()
    {
        QMetaObject::invokeMethod(this, [this] { check(); }, Qt::QueuedConnection);
    }

    void check()
    {
        Key next = trackKey();
        if (next == current_)
            return;
        current_ = std::move(next);
        // Deleted at once: this runs on its own turn of the loop, so none of the old content's
        // handlers is running, and nothing of it lingers as a window of its own.
        delete content_.data();
        content_ = add(build_(current_));
    }

    std::function<Key()> key_;
    std::function<QWidget*(const Key&)> build_;
    Key current_{};
    QPointer<QWidget> content_;
    foundation::ObservationToken tracking_;
};

} // namespace ui
