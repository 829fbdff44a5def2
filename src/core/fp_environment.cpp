// The floating-point environment guard of every export.
#include "core/fp_environment.hpp"

namespace quorvex {

FloatingPointEnvironmentGuard::FloatingPointEnvironmentGuard() noexcept : saved_{} {
    std::fegetenv(&saved_);
    std::fesetenv(FE_DFL_ENV);
}

FloatingPointEnvironmentGuard::~FloatingPointEnvironmentGuard() { std::fesetenv(&saved_); }

}  // namespace quorvex
