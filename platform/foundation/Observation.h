#pragma once

#include <functional>
#include <memory>
#include <utility>

/// Observable models: properties that tell their observers of a real change, and let a view
/// register, while it draws, every property it read so that it is told to redraw when one of
/// them changes.
///
///     foundation::Observed<float> level{0.0f};
///     // a view's paint:
///     tracking_ = foundation::withObservationTracking([&] { drawLevel(level.get()); },
///                                                     [this] { update(); });
///     // elsewhere: level.set(0.5f) calls update() once; level.set(0.5f) again does nothing.
///
/// Main thread only (models and views live there): a set, a subscription or a tracking scope
/// on another thread is a fatal error. Observers are called after the new value is stored, in
/// the order they subscribed; one that is cancelled (its token destroyed or cancelled) is never
/// called again, even during the notification in which it was cancelled; one added during a
/// notification hears only later changes.
namespace foundation {

namespace observation_detail {
struct Subscription;
struct RegistrarCore;
} // namespace observation_detail

/// Keeps a subscription alive: destroying or cancelling it ends the subscription. Move-only.
class [[nodiscard]] ObservationToken {
public:
    ObservationToken() = default;
    explicit ObservationToken(std::shared_ptr<observation_detail::Subscription> subscription);
    ObservationToken(ObservationToken&& other) noexcept = default;
    ObservationToken& operator=(ObservationToken&& other) noexcept;
    ObservationToken(const ObservationToken&) = delete;
    ObservationToken& operator=(const ObservationToken&) = delete;
    ~ObservationToken();

    void cancel();
    /// True while the subscription may still be called: not cancelled and, for a tracking
    /// subscription, not yet fired.
    bool isActive() const;

private:
    std::shared_ptr<observation_detail::Subscription> subscription_;
};

/// The observation bookkeeping of one observable property; Observed<T> is built on it, and a
/// model with a hand-written property uses it directly (access() in the getter, didChange()
/// in the setter after a real change).
class ObservationRegistrar {
public:
    ObservationRegistrar();
    ~ObservationRegistrar();
    ObservationRegistrar(const ObservationRegistrar&) = delete;
    ObservationRegistrar& operator=(const ObservationRegistrar&) = delete;

    /// Registers a read with the tracking scope that is running, if any.
    void access() const;
    /// Calls the observers of the property.
    void didChange();
    /// Calls callback after every later change until the token ends.
    ObservationToken addObserver(std::function<void()> callback);

private:
    std::shared_ptr<observation_detail::RegistrarCore> core_;
};

/// Runs apply, noting every observable property it reads (Observed<T>::get or
/// ObservationRegistrar::access), then calls onChange once, on the first later change of any
/// of them; afterwards it is done (a view tracks again when it draws again). A read made by a
/// nested tracking scope counts for the enclosing one too. Reads of nothing observable give a
/// token that never fires. Main thread.
ObservationToken withObservationTracking(const std::function<void()>& apply, std::function<void()> onChange);

/// A property that notifies only when a new value differs (operator!=) from the stored one;
/// writing an equal value stores it silently.
template <typename T>
class Observed {
public:
    Observed() = default;
    explicit Observed(T initial) : value_(std::move(initial)) {}
    Observed(const Observed&) = delete;
    Observed& operator=(const Observed&) = delete;

    /// The value; registers the read with the tracking scope that is running.
    const T& get() const
    {
        registrar_.access();
        return value_;
    }

    /// Stores value and, when it differs from the value before, tells the observers. Returns
    /// whether it differed.
    bool set(T value)
    {
        const bool changed = value != value_;
        value_ = std::move(value);
        if (changed)
            registrar_.didChange();
        return changed;
    }

    /// Calls callback with the new value after every later change until the token ends.
    ObservationToken observe(std::function<void(const T&)> callback)
    {
        return registrar_.addObserver([this, callback = std::move(callback)] { callback(value_); });
    }

private:
    T value_{};
    ObservationRegistrar registrar_;
};

} // namespace foundation
