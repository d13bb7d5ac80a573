#pragma once

#include "Tarnkit/Foundation/Publisher.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace tarnkit {

/// A publisher that hands each value sent to it to its current subscribers, in the order they
/// subscribed, and never fails. After sendCompletion() it sends nothing more, and a new
/// subscriber is told at once that the stream has finished. A subscriber cancelled during a
/// delivery (by itself or by another subscriber) receives nothing from then on.
///
/// An object with identity (not copyable); publisher() hands out handles to it that keep its
/// subscriptions working after the subject itself is gone (they just never hear again). Used
/// on one thread: the main thread for every subject of the library.
template <typename T>
class PassthroughSubject {
public:
    PassthroughSubject() : core_(std::make_shared<Core>()) {}
    PassthroughSubject(const PassthroughSubject&) = delete;
    PassthroughSubject& operator=(const PassthroughSubject&) = delete;

    void send(const T& value) const
    {
        const std::shared_ptr<Core> core = core_; // a subscriber may destroy the subject
        if (core->finished)
            return;
        const auto subscriptions = core->subscriptions;
        for (const auto& subscription : subscriptions) {
            if (subscription->live)
                subscription->subscriber.receiveValue(value);
        }
    }

    /// Ends the stream: every subscriber receives the completion once, then is dropped.
    void sendCompletion() const
    {
        const std::shared_ptr<Core> core = core_;
        if (core->finished)
            return;
        core->finished = true;
        const auto subscriptions = std::exchange(core->subscriptions, {});
        for (const auto& subscription : subscriptions) {
            if (!subscription->live)
                continue;
            subscription->live = false;
            if (subscription->subscriber.receiveCompletion)
                subscription->subscriber.receiveCompletion();
        }
    }

    bool isFinished() const { return core_->finished; }
    /// Subscriptions currently held (neither cancelled nor dropped).
    std::size_t subscriberCount() const { return core_->subscriptions.size(); }

    Publisher<T> publisher() const
    {
        return Publisher<T>([core = core_](Subscriber<T> subscriber) { return Core::subscribe(core, std::move(subscriber)); });
    }

    [[nodiscard]] Cancellable sink(std::function<void(const T&)> receiveValue,
                                   std::function<void()> receiveCompletion = {}) const
    {
        return publisher().sink(std::move(receiveValue), std::move(receiveCompletion));
    }
    [[nodiscard]] Cancellable sink(QObject* context, std::function<void(const T&)> receiveValue,
                                   std::function<void()> receiveCompletion = {}) const
    {
        return publisher().sink(context, std::move(receiveValue), std::move(receiveCompletion));
    }

private:
    struct Subscription {
        Subscriber<T> subscriber;
        bool live = true;
    };

    struct Core {
        std::vector<std::shared_ptr<Subscription>> subscriptions;
        bool finished = false;

        static Cancellable subscribe(const std::shared_ptr<Core>& core, Subscriber<T> subscriber)
        {
            if (core->finished) {
                if (subscriber.receiveCompletion)
                    subscriber.receiveCompletion();
                return {};
            }
            auto subscription = std::make_shared<Subscription>(Subscription{std::move(subscriber)});
            core->subscriptions.push_back(subscription);
            return Cancellable([weakCore = std::weak_ptr<Core>(core), weakSubscription = std::weak_ptr<Subscription>(subscription)] {
                auto subscriptionNow = weakSubscription.lock();
                if (!subscriptionNow)
                    return;
                subscriptionNow->live = false;
                if (auto coreNow = weakCore.lock())
                    std::erase(coreNow->subscriptions, subscriptionNow);
            });
        }
    };

    std::shared_ptr<Core> core_;
};

} // namespace tarnkit
