#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace tarnkit {

/// Ends a subscription: explicitly with cancel(), or when it is destroyed. Once cancelled, the
/// subscriber receives nothing more, not even a value already on its way (queued for the main
/// thread, or being delivered to the subscribers before it). Move-only; used on the thread that
/// made the subscription.
class Cancellable {
public:
    Cancellable() = default;
    explicit Cancellable(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
    Cancellable(Cancellable&& other) noexcept : cancel_(std::exchange(other.cancel_, nullptr)) {}
    Cancellable& operator=(Cancellable&& other) noexcept
    {
        if (this != &other) {
            cancel();
            cancel_ = std::exchange(other.cancel_, nullptr);
        }
        return *this;
    }
    Cancellable(const Cancellable&) = delete;
    Cancellable& operator=(const Cancellable&) = delete;
    ~Cancellable() { cancel(); }

    /// Ends the subscription; later calls do nothing.
    void cancel()
    {
        if (auto cancel = std::exchange(cancel_, nullptr))
            cancel();
    }

    /// Moves this into set, which then keeps the subscription alive.
    void store(std::vector<Cancellable>& set) && { set.push_back(std::move(*this)); }

private:
    std::function<void()> cancel_;
};

/// The subscriptions an object keeps for as long as it lives.
using CancellableSet = std::vector<Cancellable>;

} // namespace tarnkit
