#pragma once

#include "Tarnkit/Foundation/Cancellable.h"

#include "platform/foundation/MainQueue.h"

#include <QObject>
#include <QPointer>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

namespace tarnkit {

/// What a publisher hands its values to, and the end of its stream ("finished"; our
/// publishers never fail).
template <typename T>
struct Subscriber {
    std::function<void(const T&)> receiveValue;
    std::function<void()> receiveCompletion; ///< may be empty
};

/// A stream of values that subscribers receive until they cancel or the stream finishes. A
/// publisher is a cheap handle: copies subscribe to the same source. Operators (map,
/// compactMap, receiveOnMain) make new publishers over this one. Subscribing and delivery
/// happen on the thread the source sends on (the main thread for controls), unless
/// receiveOnMain() moves delivery there.
template <typename T>
class Publisher {
public:
    using Output = T;
    using Subscribe = std::function<Cancellable(Subscriber<T>)>;

    explicit Publisher(Subscribe subscribe) : subscribe_(std::move(subscribe)) {}

    /// Subscribes subscriber; the result ends the subscription (also when destroyed).
    [[nodiscard]] Cancellable subscribe(Subscriber<T> subscriber) const { return subscribe_(std::move(subscriber)); }

    [[nodiscard]] Cancellable sink(std::function<void(const T&)> receiveValue,
                                   std::function<void()> receiveCompletion = {}) const
    {
        return subscribe({std::move(receiveValue), std::move(receiveCompletion)});
    }

    /// As sink(), for a subscriber that belongs to context: nothing reaches it once context is
    /// destroyed, and the subscription is dropped then (the source forgets it).
    [[nodiscard]] Cancellable sink(QObject* context, std::function<void(const T&)> receiveValue,
                                   std::function<void()> receiveCompletion = {}) const
    {
        if (!context)
            return {}; // no observer: nothing to deliver to
        auto alive = std::make_shared<QPointer<QObject>>(context);
        auto upstream = std::make_shared<Cancellable>(subscribe(
            {[alive, receiveValue = std::move(receiveValue)](const T& value) {
                 if (*alive)
                     receiveValue(value);
             },
             [alive, receiveCompletion = std::move(receiveCompletion)] {
                 if (*alive && receiveCompletion)
                     receiveCompletion();
             }}));
        std::weak_ptr<Cancellable> weakUpstream = upstream;
        const auto connection = QObject::connect(context, &QObject::destroyed, [weakUpstream] {
            if (auto upstreamNow = weakUpstream.lock())
                upstreamNow->cancel();
        });
        return Cancellable([upstream, connection] {
            QObject::disconnect(connection);
            upstream->cancel();
        });
    }

    /// Each value transformed by transform.
    template <typename F>
    auto map(F transform) const -> Publisher<std::decay_t<std::invoke_result_t<F&, const T&>>>
    {
        using U = std::decay_t<std::invoke_result_t<F&, const T&>>;
        return Publisher<U>([upstream = *this, transform = std::move(transform)](Subscriber<U> downstream) {
            return upstream.subscribe(
                {[transform, receive = std::move(downstream.receiveValue)](const T& value) mutable {
                     receive(transform(value));
                 },
                 std::move(downstream.receiveCompletion)});
        });
    }

    /// The values that transform turns into a present optional, unwrapped; the others dropped.
    template <typename F>
    auto compactMap(F transform) const
        -> Publisher<typename std::decay_t<std::invoke_result_t<F&, const T&>>::value_type>
    {
        using U = typename std::decay_t<std::invoke_result_t<F&, const T&>>::value_type;
        return Publisher<U>([upstream = *this, transform = std::move(transform)](Subscriber<U> downstream) {
            return upstream.subscribe(
                {[transform, receive = std::move(downstream.receiveValue)](const T& value) mutable {
                     if (auto mapped = transform(value))
                         receive(*mapped);
                 },
                 std::move(downstream.receiveCompletion)});
        });
    }

    /// Delivery moved to the main queue (foundation::mainQueue::async), in order, for a source
    /// that sends on another thread. Values and the completion still queued when the
    /// subscription is cancelled are dropped. The subscriber's cancellable is used on the main
    /// thread; the source may send on any thread.
    Publisher receiveOnMain() const
    {
        return Publisher([upstream = *this](Subscriber<T> downstream) {
            struct State {
                std::atomic<bool> live{true};
                Subscriber<T> subscriber;
            };
            auto state = std::make_shared<State>();
            state->subscriber = std::move(downstream);
            Cancellable upstreamCancellable = upstream.subscribe(
                {[state](const T& value) {
                     foundation::mainQueue::async([state, value] {
                         if (state->live.load())
                             state->subscriber.receiveValue(value);
                     });
                 },
                 [state] {
                     foundation::mainQueue::async([state] {
                         if (state->live.load() && state->subscriber.receiveCompletion)
                             state->subscriber.receiveCompletion();
                     });
                 }});
            auto upstreamHolder = std::make_shared<Cancellable>(std::move(upstreamCancellable));
            return Cancellable([state, upstreamHolder] {
                state->live.store(false);
                upstreamHolder->cancel();
            });
        });
    }

private:
    Subscribe subscribe_;
};

} // namespace tarnkit
