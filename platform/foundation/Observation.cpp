#include "platform/foundation/Observation.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

#include <algorithm>
#include <vector>

namespace foundation {

namespace {

constexpr std::string_view source = "platform/foundation/Observation";

void requireMainThread(int line)
{
    mainQueue::requireMainThread("an observable property is used off the main thread", source, line);
}

} // namespace

namespace observation_detail {

struct Subscription {
    std::function<void()> callback;
    bool oneShot = false; // a tracking subscription ends at its first change
    bool active = true;
    std::vector<std::weak_ptr<RegistrarCore>> sources;

    void cancel();
};

struct RegistrarCore {
    std::vector<std::shared_ptr<Subscription>> subscriptions;

    void remove(const Subscription* subscription)
    {
        std::erase_if(subscriptions, [subscription](const auto& s) { return s.get() == subscription; });
    }
};

void Subscription::cancel()
{
    if (!active)
        return;
    active = false;
    // Keep the callback: it may be the very one running now.
    for (const auto& weakSource : std::exchange(sources, {})) {
        if (const auto core = weakSource.lock())
            core->remove(this);
    }
}

// The reads of the tracking scope that is running on this thread.
struct AccessList {
    std::vector<std::weak_ptr<RegistrarCore>> sources;

    void add(const std::shared_ptr<RegistrarCore>& core)
    {
        const bool known = std::any_of(sources.begin(), sources.end(),
                                       [&core](const auto& s) { return !s.owner_before(core) && !core.owner_before(s); });
        if (!known)
            sources.push_back(core);
    }
};

thread_local AccessList* currentAccessList = nullptr;

} // namespace observation_detail

using observation_detail::AccessList;
using observation_detail::RegistrarCore;
using observation_detail::Subscription;

ObservationToken::ObservationToken(std::shared_ptr<Subscription> subscription)
    : subscription_(std::move(subscription))
{
}

ObservationToken& ObservationToken::operator=(ObservationToken&& other) noexcept
{
    if (this != &other) {
        cancel();
        subscription_ = std::move(other.subscription_);
    }
    return *this;
}

ObservationToken::~ObservationToken()
{
    cancel();
}

void ObservationToken::cancel()
{
    if (const auto subscription = std::exchange(subscription_, nullptr))
        subscription->cancel();
}

bool ObservationToken::isActive() const
{
    return subscription_ && subscription_->active;
}

ObservationRegistrar::ObservationRegistrar()
    : core_(std::make_shared<RegistrarCore>())
{
}

ObservationRegistrar::~ObservationRegistrar()
{
    // Direct observers hear about this property only, and may read it when called: a
    // notification under way must not reach them once it is gone. Tracking subscriptions may
    // still fire for the other properties their view read.
    for (const auto& subscription : core_->subscriptions) {
        if (!subscription->oneShot)
            subscription->active = false;
    }
}

void ObservationRegistrar::access() const
{
    if (AccessList* list = observation_detail::currentAccessList)
        list->add(core_);
}

void ObservationRegistrar::didChange()
{
    requireMainThread(__LINE__);
    // A copy: callbacks may subscribe, cancel, or destroy this property while we call them.
    const auto subscriptions = core_->subscriptions;
    for (const auto& subscription : subscriptions) {
        if (!subscription->active)
            continue;
        if (subscription->oneShot)
            subscription->cancel();
        subscription->callback();
    }
}

ObservationToken ObservationRegistrar::addObserver(std::function<void()> callback)
{
    requireMainThread(__LINE__);
    if (!callback)
        return {};
    auto subscription = std::make_shared<Subscription>();
    subscription->callback = std::move(callback);
    subscription->sources.push_back(core_);
    core_->subscriptions.push_back(subscription);
    return ObservationToken(std::move(subscription));
}

ObservationToken withObservationTracking(const std::function<void()>& apply, std::function<void()> onChange)
{
    requireMainThread(__LINE__);
    AccessList accesses;
    {
        AccessList* const enclosing = observation_detail::currentAccessList;
        observation_detail::currentAccessList = &accesses;
        struct Restore {
            AccessList* enclosing;
            AccessList& accesses;
            ~Restore()
            {
                observation_detail::currentAccessList = enclosing;
                if (enclosing) {
                    for (const auto& weakSource : accesses.sources) {
                        if (const auto core = weakSource.lock())
                            enclosing->add(core);
                    }
                }
            }
        } restore{enclosing, accesses};
        if (apply)
            apply();
    }
    if (!onChange)
        return {};
    auto subscription = std::make_shared<Subscription>();
    subscription->callback = std::move(onChange);
    subscription->oneShot = true;
    for (const auto& weakSource : accesses.sources) {
        if (const auto core = weakSource.lock()) {
            core->subscriptions.push_back(subscription);
            subscription->sources.push_back(core);
        }
    }
    return ObservationToken(std::move(subscription));
}

} // namespace foundation
