#include "platform/audiounit/ParameterTree.h"

#include <algorithm>

namespace au {

namespace {

template <typename Callback>
std::shared_ptr<const Callback> share(Callback callback)
{
    if (!callback)
        return nullptr;
    return std::make_shared<const Callback>(std::move(callback));
}

} // namespace

std::shared_ptr<Parameter> ParameterTree::createParameter(std::string identifier, std::string name,
                                                          ParameterAddress address, AUValue min, AUValue max,
                                                          ParameterUnit unit, std::string unitName,
                                                          std::uint32_t flags,
                                                          std::optional<std::vector<std::string>> valueStrings,
                                                          std::optional<std::vector<ParameterAddress>> dependentParameters)
{
    return std::make_shared<Parameter>(Parameter::Key{}, std::move(identifier), std::move(name), address, min, max,
                                       unit, std::move(unitName), flags, std::move(valueStrings),
                                       std::move(dependentParameters));
}

std::shared_ptr<ParameterTree> ParameterTree::createTree(std::vector<std::shared_ptr<Parameter>> children)
{
    children.erase(std::remove(children.begin(), children.end(), nullptr), children.end());
    auto tree = std::make_shared<ParameterTree>(Key{}, std::move(children));
    for (const auto& parameter : tree->parameters_)
        parameter->setTree(tree);
    return tree;
}

ParameterTree::ParameterTree(Key, std::vector<std::shared_ptr<Parameter>> parameters)
    : parameters_(std::move(parameters))
{
}

ParameterTree::~ParameterTree() = default;

std::shared_ptr<Parameter> ParameterTree::parameter(ParameterAddress address) const
{
    const auto found = std::find_if(parameters_.begin(), parameters_.end(),
                                    [address](const auto& parameter) { return parameter->address() == address; });
    return found == parameters_.end() ? nullptr : *found;
}

void ParameterTree::setImplementorValueObserver(ValueObserver observer)
{
    auto replaced = share(std::move(observer));
    const std::lock_guard lock(callbacksMutex_);
    valueObserver_.swap(replaced); // the old one is released after the lock
}

void ParameterTree::setImplementorValueProvider(ValueProvider provider)
{
    auto replaced = share(std::move(provider));
    const std::lock_guard lock(callbacksMutex_);
    valueProvider_.swap(replaced);
}

void ParameterTree::setImplementorStringFromValueCallback(StringFromValue callback)
{
    auto replaced = share(std::move(callback));
    const std::lock_guard lock(callbacksMutex_);
    stringFromValue_.swap(replaced);
}

void ParameterTree::setImplementorValueFromStringCallback(ValueFromString callback)
{
    auto replaced = share(std::move(callback));
    const std::lock_guard lock(callbacksMutex_);
    valueFromString_.swap(replaced);
}

std::shared_ptr<const ParameterTree::ValueObserver> ParameterTree::valueObserver() const
{
    const std::lock_guard lock(callbacksMutex_);
    return valueObserver_;
}

std::shared_ptr<const ParameterTree::ValueProvider> ParameterTree::valueProvider() const
{
    const std::lock_guard lock(callbacksMutex_);
    return valueProvider_;
}

std::shared_ptr<const ParameterTree::StringFromValue> ParameterTree::stringFromValue() const
{
    const std::lock_guard lock(callbacksMutex_);
    return stringFromValue_;
}

std::shared_ptr<const ParameterTree::ValueFromString> ParameterTree::valueFromString() const
{
    const std::lock_guard lock(callbacksMutex_);
    return valueFromString_;
}

bool ParameterTree::hasImplementorValueObserver() const
{
    return valueObserver() != nullptr;
}

bool ParameterTree::hasImplementorValueProvider() const
{
    return valueProvider() != nullptr;
}

bool ParameterTree::hasImplementorStringFromValueCallback() const
{
    return stringFromValue() != nullptr;
}

bool ParameterTree::hasImplementorValueFromStringCallback() const
{
    return valueFromString() != nullptr;
}

ParameterTree::ObserverToken ParameterTree::tokenByAddingParameterObserver(HostObserver observer)
{
    if (!observer)
        return nullptr;
    auto entry = std::make_shared<HostObserverEntry>();
    entry->observer = std::move(observer);
    const ObserverToken token = entry.get();
    const std::lock_guard lock(observersMutex_);
    observers_.push_back(std::move(entry));
    return token;
}

void ParameterTree::removeParameterObserver(ObserverToken token)
{
    std::shared_ptr<HostObserverEntry> removed; // released after the lock
    const std::lock_guard lock(observersMutex_);
    const auto found = std::find_if(observers_.begin(), observers_.end(),
                                    [token](const auto& entry) { return entry.get() == token; });
    if (found == observers_.end())
        return;
    (*found)->active.store(false, std::memory_order_release);
    removed = std::move(*found);
    observers_.erase(found);
}

void ParameterTree::didSet(Parameter& parameter, AUValue value, const void* originator, std::uint64_t hostTime,
                           AutomationEventType type)
{
    if (const auto observer = valueObserver())
        (*observer)(parameter, value);

    // A copy, so that observers may add and remove observers while we call them.
    std::vector<std::shared_ptr<HostObserverEntry>> observers;
    {
        const std::lock_guard lock(observersMutex_);
        if (observers_.empty())
            return;
        observers = observers_;
    }
    const AutomationEvent event{parameter.address(), value, hostTime, type};
    for (const auto& entry : observers) {
        if (entry.get() != originator && entry->active.load(std::memory_order_acquire))
            entry->observer(event);
    }
}

} // namespace au
