// Saves the host's floating-point environment and runs the library in its own.
#pragma once

#include <cfenv>

namespace quorvex {

// On construction saves the caller's floating-point environment (control and status) and
// installs the default one: all traps masked, round to nearest, flags clear. On destruction,
// by return or by exception, restores the caller's environment exactly.
class FloatingPointEnvironmentGuard {
public:
    FloatingPointEnvironmentGuard() noexcept;
    ~FloatingPointEnvironmentGuard();
    FloatingPointEnvironmentGuard(const FloatingPointEnvironmentGuard&) = delete;
    FloatingPointEnvironmentGuard& operator=(const FloatingPointEnvironmentGuard&) = delete;

private:
    std::fenv_t saved_;
};

}  // namespace quorvex
