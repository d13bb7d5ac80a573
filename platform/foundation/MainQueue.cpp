#include "platform/foundation/MainQueue.h"

#include "platform/foundation/FatalError.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>

#include <sys/syscall.h>
#include <unistd.h>

#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_ignore_thread_begin();
extern "C" void __tsan_ignore_thread_end();
#endif

namespace foundation::mainQueue {

namespace {

constexpr std::string_view source = "platform/foundation/MainQueue";

// The tasks waiting for the main thread, shared by every thread that queues.
class PendingTasks {
public:
    // Returns whether the caller must post a drain to the main thread.
    bool push(std::function<void()> task)
    {
        const std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
        count_.store(tasks_.size(), std::memory_order_release);
        const bool post = !drainPosted_;
        drainPosted_ = true;
        return post;
    }

    // Main thread. Runs the tasks one by one, each taken out under the lock and run outside
    // it, so a task may queue more (they run in this same drain, in order) or spin a nested
    // event loop (which drains the rest, still in order).
    void drain()
    {
        {
            const std::lock_guard lock(mutex_);
            drainPosted_ = false;
        }
        while (count_.load(std::memory_order_acquire) > 0) {
            std::function<void()> task;
            {
                const std::lock_guard lock(mutex_);
                if (tasks_.empty())
                    return;
                task = std::move(tasks_.front());
                tasks_.pop_front();
                count_.store(tasks_.size(), std::memory_order_release);
            }
            task();
        }
    }

    // A cheap look for the event filter, which sees every event of the main thread.
    bool empty() const { return count_.load(std::memory_order_acquire) == 0; }

private:
    std::mutex mutex_;
    std::deque<std::function<void()>> tasks_;
    std::atomic<std::size_t> count_{0};
    bool drainPosted_ = false; // a drain is on its way through the event loop
};

// Queues call for receiver's thread through Qt's event queue, from any thread. Qt hands the
// call object over under its own lock, which ThreadSanitizer cannot see in a Qt not built with
// it: the object is made out of its sight, or its making here and its end on the other thread
// would pass for a race. What the call itself reaches is ours and guarded by our own locks.
template <typename Call>
void postCall(QObject* receiver, Call call)
{
#if defined(__SANITIZE_THREAD__)
    __tsan_ignore_thread_begin();
#endif
    QMetaObject::invokeMethod(receiver, std::move(call), Qt::QueuedConnection);
#if defined(__SANITIZE_THREAD__)
    __tsan_ignore_thread_end();
#endif
}

PendingTasks& pendingTasks()
{
    static PendingTasks tasks;
    return tasks;
}

bool isInputEvent(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::ShortcutOverride: // the first event of a key press
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

// Sits on the application object and drains the queue before an input event is delivered.
class InputEventGate : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!isInputEvent(event->type()) || pendingTasks().empty())
            return false;
        const QPointer<QObject> receiver(watched);
        pendingTasks().drain();
        // A task may have destroyed the receiver: then nobody is left to take the event.
        return receiver.isNull();
    }
};

// Main thread, once per application object: the gate is its child, so it goes with it and a
// later application object gets a gate of its own.
void installInputEventGate()
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return;
    if (QThread::currentThread() != application->thread()) {
        postCall(application, &installInputEventGate);
        return;
    }
    static QPointer<InputEventGate> gate;
    if (gate && gate->parent() == application)
        return;
    gate = new InputEventGate(application);
    application->installEventFilter(gate);
}

} // namespace

// Runs when the application object is made (or at once when this library is loaded into a
// process that already has one).
Q_COREAPP_STARTUP_FUNCTION(installInputEventGate)

bool isMainThread()
{
    if (const QCoreApplication* application = QCoreApplication::instance())
        return QThread::currentThread() == application->thread();
    // The process's first thread is the one whose thread id is the process id.
    thread_local const bool first = static_cast<pid_t>(::syscall(SYS_gettid)) == ::getpid();
    return first;
}

void requireMainThread(std::string_view message, std::string_view source, int line)
{
    if (!isMainThread())
        fatalError(message, source, line);
}

void async(std::function<void()> task)
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        fatalError("mainQueue::async needs a QCoreApplication: without its event loop the task would never run",
                   source, __LINE__);
    if (!task)
        return;
    if (pendingTasks().push(std::move(task)))
        postCall(application, [] { pendingTasks().drain(); });
}

void sync(const std::function<void()>& task)
{
    if (isMainThread()) {
        if (task)
            task();
        return;
    }
    if (!QCoreApplication::instance())
        fatalError("mainQueue::sync called off the main thread with no QCoreApplication to run the task",
                   source, __LINE__);

    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::exception_ptr failure;
    async([&] {
        try {
            if (task)
                task();
        } catch (...) {
            failure = std::current_exception();
        }
        const std::lock_guard lock(mutex);
        done = true;
        finished.notify_one();
    });
    std::unique_lock lock(mutex);
    finished.wait(lock, [&] { return done; });
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace foundation::mainQueue
