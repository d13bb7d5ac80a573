#pragma once

#include <functional>
#include <optional>
#include <utility>

namespace tarnkit {

/// What the views that change during a transaction read of it: whether they may animate.
struct Transaction {
    bool disablesAnimations = false;

    /// The transaction in force (a default one outside withTransaction). Main thread.
    static const Transaction& current();
};

/// Runs body with transaction in force, then restores the one before (also when body throws).
/// Main thread.
void withTransaction(const Transaction& transaction, const std::function<void()>& body);

/// Stops the process when called off the main thread (the binding adapters' closures are main
/// thread only).
void requireBindingOnMainThread(int line);

/// Two-way access to a value that lives elsewhere (a model property): get reads it, set writes
/// it. Copies share the same value.
template <typename T>
class Binding {
public:
    using Value = T;

    Binding(std::function<T()> get, std::function<void(const T&)> set) : get_(std::move(get)), set_(std::move(set)) {}

    T get() const { return get_(); }
    void set(const T& value) const { set_(value); }

    /// An optional view of this binding: reads the value as present; writing a present value
    /// stores it, writing none leaves the value as it is. Main thread.
    Binding<std::optional<T>> asOptional() const
    {
        return Binding<std::optional<T>>(
            [base = *this]() -> std::optional<T> {
                requireBindingOnMainThread(__LINE__);
                return base.get();
            },
            [base = *this](const std::optional<T>& value) {
                requireBindingOnMainThread(__LINE__);
                if (value)
                    base.set(*value);
            });
    }

    /// The same value, written inside a transaction that disables animations, so the views
    /// that depend on it change without animating. Main thread.
    Binding disablingAnimations() const
    {
        return Binding(
            [base = *this] {
                requireBindingOnMainThread(__LINE__);
                return base.get();
            },
            [base = *this](const T& value) {
                requireBindingOnMainThread(__LINE__);
                withTransaction(Transaction{.disablesAnimations = true}, [&] { base.set(value); });
            });
    }

private:
    std::function<T()> get_;
    std::function<void(const T&)> set_;
};

} // namespace tarnkit
