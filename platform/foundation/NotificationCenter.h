#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace foundation {

/// What a poster hands to its observers: the notification's name and the object it is about
/// (for the window notifications, the window).
struct Notification {
    QString name;
    const QObject* object = nullptr;
};

/// A process-wide broadcaster of named notifications (the window did-become-key and
/// did-resign-key notifications of the views, and whatever else a module posts).
///
/// An observer is a QObject: its registrations go away by themselves when it is destroyed,
/// so a handler never runs on a dead observer. Main thread only (the views post and observe
/// there); a call from another thread is a programming error and stops the process.
class NotificationCenter {
public:
    using Handler = std::function<void(const Notification&)>;

    NotificationCenter();
    ~NotificationCenter();
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    /// The centre every module shares.
    static NotificationCenter& defaultCenter();

    /// Calls handler for every notification called name whose object is sender, or for any
    /// object when sender is null, until observer is destroyed or removed. Registering the
    /// same thing twice delivers twice.
    void addObserver(QObject* observer, const QString& name, const QObject* sender, Handler handler);

    /// Drops every registration of observer.
    void removeObserver(const QObject* observer);

    /// Delivers synchronously to the matching registrations, in the order they were added.
    /// Handlers may add or remove registrations: one removed during the delivery is not
    /// called any more, one added during it is called from the next post on.
    void post(const QString& name, const QObject* object = nullptr);

    /// Registrations currently held (all observers).
    std::size_t registrationCount() const { return registrations_.size(); }

private:
    struct Registration {
        std::uint64_t id;
        const QObject* observer;
        QString name;
        bool anySender;
        QPointer<const QObject> sender; // a destroyed sender matches nothing any more
        Handler handler;
    };

    bool isRegistered(std::uint64_t id) const;

    std::vector<Registration> registrations_;
    std::uint64_t nextId_ = 1;
    QObject context_; // owns the connections to the observers' destroyed signals
};

} // namespace foundation
