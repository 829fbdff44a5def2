// The floating-point environment guard of every export.
#include "core/fp_environment.hpp"

#if defined(__x86_64__) && defined(__SSE2__)
#include <xmmintrin.h>
#endif

namespace quorvex {

#if defined(__x86_64__) && defined(__SSE2__)

namespace {
// All six exceptions masked, round to nearest, no flush-to-zero, no denormals-are-zero.
constexpr unsigned int kDefaultControl = 0x1F80;

#if defined(_WIN32)
// Double precision (53 bits), round to nearest, all six exceptions masked.
constexpr std::uint16_t kX87DefaultControl = 0x027F;
#endif
}  // namespace

FloatingPointEnvironmentGuard::FloatingPointEnvironmentGuard() noexcept : saved_(_mm_getcsr()) {
    _mm_setcsr(kDefaultControl);
#if defined(_WIN32)
    // fnstenv stores the environment and masks every x87 exception; fldcw then sets ours.
    __asm__ volatile("fnstenv %0" : "=m"(savedX87_));
    __asm__ volatile("fldcw %0" : : "m"(kX87DefaultControl));
#endif
}

FloatingPointEnvironmentGuard::~FloatingPointEnvironmentGuard() {
#if defined(_WIN32)
    __asm__ volatile("fldenv %0" : : "m"(savedX87_));
#endif
    _mm_setcsr(saved_);
}

#else

FloatingPointEnvironmentGuard::FloatingPointEnvironmentGuard() noexcept : saved_{} {
    std::fegetenv(&saved_);
    std::fesetenv(FE_DFL_ENV);
}

FloatingPointEnvironmentGuard::~FloatingPointEnvironmentGuard() { std::fesetenv(&saved_); }

#endif

}  // namespace quorvex
