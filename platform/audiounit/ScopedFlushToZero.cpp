#include "platform/audiounit/ScopedFlushToZero.h"

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>
#endif

namespace au {

namespace {

#if defined(__x86_64__) || defined(__i386__)
constexpr std::uint64_t flushBits = 0x8000 | 0x0040; // MXCSR flush-to-zero and denormals-are-zero
std::uint64_t readMode() { return _mm_getcsr(); }
void writeMode(std::uint64_t mode) { _mm_setcsr(static_cast<unsigned>(mode)); }
#elif defined(__aarch64__)
constexpr std::uint64_t flushBits = std::uint64_t(1) << 24; // FPCR.FZ
std::uint64_t readMode()
{
    std::uint64_t mode;
    __asm__ volatile("mrs %0, fpcr" : "=r"(mode));
    return mode;
}
void writeMode(std::uint64_t mode) { __asm__ volatile("msr fpcr, %0" : : "r"(mode)); }
#else
constexpr std::uint64_t flushBits = 0;
std::uint64_t readMode() { return 0; }
void writeMode(std::uint64_t) {}
#endif

} // namespace

ScopedFlushToZero::ScopedFlushToZero() noexcept : saved_(readMode())
{
    writeMode(saved_ | flushBits);
}

ScopedFlushToZero::~ScopedFlushToZero() { writeMode(saved_); }

bool ScopedFlushToZero::isActive() noexcept { return flushBits != 0 && (readMode() & flushBits) == flushBits; }

} // namespace au
