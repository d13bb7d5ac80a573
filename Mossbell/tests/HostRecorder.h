#pragma once

#include "platform/audiounit/ParameterTree.h"

#include <QCoreApplication>

#include <memory>
#include <mutex>
#include <vector>

namespace mossbell::test {

/// Runs what is queued for the main thread (call it on the main thread).
inline void runMainQueue() { QCoreApplication::sendPostedEvents(); }

/// A host's observer on a parameter tree: records every change it hears, from any thread.
class HostRecorder {
public:
    explicit HostRecorder(std::shared_ptr<au::ParameterTree> tree) : tree_(std::move(tree))
    {
        token_ = tree_->tokenByAddingParameterObserver([this](const au::ParameterTree::AutomationEvent& event) {
            const std::lock_guard lock(mutex_);
            events_.push_back(event);
        });
    }
    ~HostRecorder() { tree_->removeParameterObserver(token_); }
    HostRecorder(const HostRecorder&) = delete;
    HostRecorder& operator=(const HostRecorder&) = delete;

    /// What the host passes as originator so that it does not hear its own sets.
    au::ParameterTree::ObserverToken token() const { return token_; }

    std::vector<au::ParameterTree::AutomationEvent> events() const
    {
        const std::lock_guard lock(mutex_);
        return events_;
    }
    void clear()
    {
        const std::lock_guard lock(mutex_);
        events_.clear();
    }

private:
    std::shared_ptr<au::ParameterTree> tree_;
    au::ParameterTree::ObserverToken token_ = nullptr;
    mutable std::mutex mutex_;
    std::vector<au::ParameterTree::AutomationEvent> events_;
};

} // namespace mossbell::test
