// Saves the host's floating-point environment and runs the library in its own.
#pragma once

#include <cfenv>

namespace quorvex {

// On construction saves the caller's floating-point environment (control and status) and
// installs the default one: all traps masked, round to nearest, no flushing of subnormals,
// flags clear. On destruction, by return or by exception, restores the caller's environment
// exactly. On x86-64 the library computes with SSE alone, so only the SSE control and status
// register is switched: the x87 state is never touched, and so stays as the caller left it.
class FloatingPointEnvironmentGuard {
public:
    FloatingPointEnvironmentGuard() noexcept;
    ~FloatingPointEnvironmentGuard();
    FloatingPointEnvironmentGuard(const FloatingPointEnvironmentGuard&) = delete;
    FloatingPointEnvironmentGuard& operator=(const FloatingPointEnvironmentGuard&) = delete;

private:
#if defined(__x86_64__) && defined(__SSE2__)
    unsigned int saved_;
#else
    std::fenv_t saved_;
#endif
};

}  // namespace quorvex
