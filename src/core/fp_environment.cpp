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
}  // namespace

FloatingPointEnvironmentGuard::FloatingPointEnvironmentGuard() noexcept : saved_(_mm_getcsr()) {
    _mm_setcsr(kDefaultControl);
}

FloatingPointEnvironmentGuard::~FloatingPointEnvironmentGuard() { _mm_setcsr(saved_); }

#else

FloatingPointEnvironmentGuard::FloatingPointEnvironmentGuard() noexcept : saved_{} {
    std::fegetenv(&saved_);
    std::fesetenv(FE_DFL_ENV);
}

FloatingPointEnvironmentGuard::~FloatingPointEnvironmentGuard() { std::fesetenv(&saved_); }

#endif

}  // namespace quorvex
