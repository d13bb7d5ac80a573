#pragma once

#include "Tarnkit/Foundation/Cancellable.h"
#include "Tarnkit/Foundation/Publisher.h"

#include "platform/foundation/MainQueue.h"

#include <atomic>
#include <memory>
#include <utility>

namespace tarnkit::Publishers {

/// Re-delivers what an upstream publisher sends on the main thread, with no hop for what
/// already arrives there: a value or the completion sent on the main thread reaches the
/// subscriber before the send returns; one sent on another thread reaches it later, on the
/// main thread, in the order it was sent.
///
/// Upstream is a publisher type: it names its Output and has subscribe(Subscriber<Output>).
/// Every subscriber gets its own Inner, subscribed to the upstream.
///
///     Cancellable c = Publishers::ReceiveOnMainThread(worker.progress()).subscribe(
///         {[bar](const int& percent) { bar->setValue(percent); }});
///
/// subscribe() may be called on any thread; the cancellable it returns is used on the thread
/// that subscribed, like any other. Needs a QCoreApplication for what arrives off the main
/// thread.
template <typename Upstream>
class ReceiveOnMainThread {
public:
    using Output = typename Upstream::Output;

    explicit ReceiveOnMainThread(Upstream upstream) : upstream_(std::move(upstream)) {}

    const Upstream& upstream() const { return upstream_; }

    /// Subscribes subscriber through a new Inner; the result ends the subscription (also when
    /// destroyed).
    [[nodiscard]] Cancellable subscribe(Subscriber<Output> subscriber) const
    {
        auto inner = std::make_shared<Inner>(std::move(subscriber));
        auto subscription = std::make_shared<Cancellable>();
        // The subscription is handed over before the upstream can send (as a publisher hands
        // it over before its first value), so what the upstream sends while it is subscribed
        // is delivered; the upstream's cancellable then fills it.
        inner->receiveSubscription(subscription);
        Cancellable upstreamCancellable = upstream_.subscribe(
            {[inner](const Output& value) { inner->receiveValue(value); }, [inner] { inner->receiveCompletion(); }});
        inner->adopt(subscription, std::make_shared<Cancellable>(std::move(upstreamCancellable)));
        return Cancellable([inner] { inner->cancel(); });
    }

    /// This as a publisher handle, for the operators and sink of Publisher.
    Publisher<Output> publisher() const
    {
        return Publisher<Output>([self = *this](Subscriber<Output> subscriber) { return self.subscribe(std::move(subscriber)); });
    }

    /// At once the upstream's subscriber and the downstream's subscription: everything it does
    /// to its own state and to the downstream happens on the main thread; its entries may be
    /// called on any thread.
    class Inner : public std::enable_shared_from_this<Inner> {
    public:
        explicit Inner(Subscriber<Output> subscriber) : subscriber_(std::move(subscriber)) {}

        /// Stores the upstream's subscription, on the main thread.
        void receiveSubscription(std::shared_ptr<Cancellable> subscription)
        {
            hop([self = this->shared_from_this(), subscription = std::move(subscription)]() mutable {
                self->subscription_ = std::move(subscription);
            });
        }

        /// Hands value to the downstream on the main thread, if a subscription is stored by then
        /// and the downstream has not cancelled; else it is dropped.
        void receiveValue(const Output& value)
        {
            hop([self = this->shared_from_this(), value] {
                if (self->isLive())
                    self->subscriber_.receiveValue(value);
            });
        }

        /// As receiveValue, for the end of the stream.
        void receiveCompletion()
        {
            hop([self = this->shared_from_this()] {
                if (self->isLive() && self->subscriber_.receiveCompletion)
                    self->subscriber_.receiveCompletion();
            });
        }

        /// Ends the subscription. From this call on nothing reaches the downstream, not even
        /// what is already queued for the main thread; the upstream is told on the main thread
        /// (the stored subscription stays stored, cancelled).
        void cancel()
        {
            cancelled_.store(true);
            hop([self = this->shared_from_this()] {
                if (self->subscription_)
                    self->subscription_->cancel();
            });
        }

        /// Fills subscription with the upstream's cancellable, on the main thread, or cancels
        /// that at once when the downstream cancelled meanwhile.
        void adopt(std::shared_ptr<Cancellable> subscription, std::shared_ptr<Cancellable> upstream)
        {
            hop([self = this->shared_from_this(), subscription = std::move(subscription), upstream = std::move(upstream)] {
                if (self->cancelled_.load())
                    upstream->cancel();
                else
                    *subscription = std::move(*upstream);
            });
        }

    private:
        /// Runs work at once on the main thread, else queues it there (in submission order).
        template <typename Work>
        static void hop(Work work)
        {
            if (foundation::mainQueue::isMainThread())
                work();
            else
                foundation::mainQueue::async(std::move(work));
        }

        bool isLive() const { return subscription_ && !cancelled_.load(); }

        Subscriber<Output> subscriber_;
        std::shared_ptr<Cancellable> subscription_; // main thread only
        std::atomic<bool> cancelled_{false};
    };

private:
    Upstream upstream_;
};

} // namespace tarnkit::Publishers
