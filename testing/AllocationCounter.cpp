#include "testing/AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> armed{false};
std::atomic<long> allocations{0};

void* allocate(std::size_t size)
{
    if (armed.load(std::memory_order_relaxed))
        allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
} // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace testing_support {

AllocationCounter::AllocationCounter()
{
    allocations = 0;
    armed = true;
}

AllocationCounter::~AllocationCounter() { armed = false; }

long AllocationCounter::count() const { return allocations.load(); }

} // namespace testing_support
