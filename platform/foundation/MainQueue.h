#pragma once

#include <functional>
#include <string_view>

/// The main queue: work handed to the main thread, which runs the application's event loop
/// (every view, model and timer lives there).
///
/// Tasks run on the main thread, one at a time, in the order they were queued (from any
/// thread). They run from the event loop, nested loops (modal dialogs, menus, drags) included,
/// and always before the next input event (mouse, key, wheel, touch, tablet) that the
/// application handles: an application-wide event filter, installed once when the application
/// object exists, drains the queue first. So a click never meets a model that a task already
/// queued before it would have changed.
///
/// Without a QCoreApplication there is no main event loop: async() stops the process with a
/// fatal error (the task could never run); sync() runs inline when called on the main thread
/// (the process's first thread) and is a fatal error anywhere else. Tasks still queued when the
/// application object is destroyed never run.
namespace foundation::mainQueue {

/// Queues task to run later on the main thread, even when called on the main thread. Any
/// thread. A task must not throw.
void async(std::function<void()> task);

/// Runs task on the main thread and returns when it has run: inline when called on the main
/// thread (never deadlocks, and does not wait for tasks queued before), else queued behind the
/// tasks already queued while the caller waits. An exception thrown by task is rethrown to the
/// caller. Any thread; a worker calling it must not hold anything the main thread waits for.
void sync(const std::function<void()>& task);

/// Whether the calling thread is the main thread: the thread of the QCoreApplication, or the
/// process's first thread when there is none. Any thread.
bool isMainThread();

/// Stops the process with message (naming source and line) unless called on the main thread:
/// for objects that belong to the main thread. Any thread.
void requireMainThread(std::string_view message, std::string_view source, int line);

} // namespace foundation::mainQueue
