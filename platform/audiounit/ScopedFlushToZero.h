#pragma once

#include <cstdint>

namespace au {

/// Flushes denormal results and inputs to zero on this thread for its lifetime, then puts the
/// previous floating-point mode back. Denormals cost a hundred times a normal operation in
/// decaying filter tails and reverb-like states; a render call runs inside one of these.
/// Reads and writes a CPU control register only: no system call.
class ScopedFlushToZero {
public:
    ScopedFlushToZero() noexcept;
    ~ScopedFlushToZero();

    ScopedFlushToZero(const ScopedFlushToZero&) = delete;
    ScopedFlushToZero& operator=(const ScopedFlushToZero&) = delete;

    /// True when this thread currently flushes denormals (results and, where the CPU has the
    /// mode, inputs) to zero.
    static bool isActive() noexcept;

private:
    std::uint64_t saved_;
};

} // namespace au
