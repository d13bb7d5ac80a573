#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

namespace au {

template <typename Signature>
class FunctionRef;

/// A non-owning reference to a callable: two words, never allocates, cheap to pass by value.
/// It must not outlive the callable it refers to; it is meant for arguments that are called
/// during the call that receives them (a pull block during a render call). May be empty.
template <typename R, typename... Args>
class FunctionRef<R(Args...)> {
public:
    FunctionRef() noexcept = default;
    FunctionRef(std::nullptr_t) noexcept {}

    template <typename F>
        requires(!std::is_same_v<std::remove_cvref_t<F>, FunctionRef> && std::is_object_v<std::remove_reference_t<F>>
                 && std::is_invocable_r_v<R, F&, Args...>)
    FunctionRef(F&& callable) noexcept
        : object_(const_cast<void*>(static_cast<const void*>(std::addressof(callable)))),
          call_([](void* object, Args... args) -> R {
              return std::invoke(*static_cast<std::remove_reference_t<F>*>(object), std::forward<Args>(args)...);
          })
    {
    }

    explicit operator bool() const noexcept { return call_ != nullptr; }

    R operator()(Args... args) const { return call_(object_, std::forward<Args>(args)...); }

private:
    void* object_ = nullptr;
    R (*call_)(void*, Args...) = nullptr;
};

} // namespace au
