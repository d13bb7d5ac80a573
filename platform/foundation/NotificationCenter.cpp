#include "platform/foundation/NotificationCenter.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>

namespace foundation {

namespace {

constexpr std::string_view source = "platform/foundation/NotificationCenter";

void requireMainThread(int line)
{
    mainQueue::requireMainThread("the notification centre is used off the main thread", source, line);
}

} // namespace

NotificationCenter::NotificationCenter() = default;

NotificationCenter::~NotificationCenter() = default;

NotificationCenter& NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return center;
}

void NotificationCenter::addObserver(QObject* observer, const QString& name, const QObject* sender, Handler handler)
{
    requireMainThread(__LINE__);
    if (!observer || !handler)
        return;
    const bool known = std::any_of(registrations_.begin(), registrations_.end(),
                                   [observer](const Registration& r) { return r.observer == observer; });
    if (!known) {
        // Only the pointer is used once destroyed() fires: the object is half gone by then.
        QObject::connect(observer, &QObject::destroyed, &context_,
                         [this, observer] { removeObserver(observer); });
    }
    registrations_.push_back({nextId_++, observer, name, sender == nullptr, QPointer<const QObject>(sender),
                              std::move(handler)});
}

void NotificationCenter::removeObserver(const QObject* observer)
{
    requireMainThread(__LINE__);
    const auto first = std::remove_if(registrations_.begin(), registrations_.end(),
                                      [observer](const Registration& r) { return r.observer == observer; });
    if (first == registrations_.end())
        return;
    registrations_.erase(first, registrations_.end());
    // Its destroyed() connection is no longer needed; a later registration makes a new one.
    QObject::disconnect(observer, nullptr, &context_, nullptr);
}

bool NotificationCenter::isRegistered(std::uint64_t id) const
{
    return std::any_of(registrations_.begin(), registrations_.end(),
                       [id](const Registration& r) { return r.id == id; });
}

void NotificationCenter::post(const QString& name, const QObject* object)
{
    requireMainThread(__LINE__);
    // Snapshot first: handlers may change the registrations while we deliver.
    std::vector<std::pair<std::uint64_t, Handler>> matching;
    for (const Registration& r : registrations_) {
        if (r.name == name && (r.anySender || (r.sender && r.sender.data() == object)))
            matching.emplace_back(r.id, r.handler);
    }
    const Notification notification{name, object};
    for (const auto& [id, handler] : matching) {
        if (isRegistered(id))
            handler(notification);
    }
}

} // namespace foundation
