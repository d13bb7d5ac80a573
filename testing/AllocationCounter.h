#pragma once

namespace testing_support {

/// Counts the heap allocations of the whole process while it lives, to prove that a stretch
/// of real-time code never reaches the allocator. Linking zindle_allocation_counter replaces
/// the global operator new, so a test using it is a program of its own.
class AllocationCounter {
public:
    AllocationCounter();
    ~AllocationCounter();
    AllocationCounter(const AllocationCounter&) = delete;
    AllocationCounter& operator=(const AllocationCounter&) = delete;

    /// Allocations since construction, from any thread.
    long count() const;
};

} // namespace testing_support
