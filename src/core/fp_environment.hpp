// Saves the host's floating-point environment and runs the library in its own.
#pragma once

#include <cfenv>
#include <cstdint>

namespace quorvex {

// On construction saves the caller's floating-point environment (control and status) and
// installs the default one: all traps masked, round to nearest, no flushing of subnormals,
// flags clear. On destruction, by return or by exception, restores the caller's environment
// exactly. On x86-64 the library computes with SSE alone, so on Linux only the SSE control and
// status register is switched and the x87 state stays as the caller left it. On Windows the C
// runtime may still compute on the x87 unit, whose precision a host can lower
// (_controlfp_s), so there the x87 environment is switched too: double precision, round to
// nearest, all masked.
class FloatingPointEnvironmentGuard {
public:
    FloatingPointEnvironmentGuard() noexcept;
    ~FloatingPointEnvironmentGuard();
    FloatingPointEnvironmentGuard(const FloatingPointEnvironmentGuard&) = delete;
    FloatingPointEnvironmentGuard& operator=(const FloatingPointEnvironmentGuard&) = delete;

private:
#if defined(__x86_64__) && defined(__SSE2__)
    unsigned int saved_;
#if defined(_WIN32)
    // The 28-byte x87 environment of fnstenv: control, status and tag words and pointers.
    std::uint32_t savedX87_[7];
#endif
#else
    std::fenv_t saved_;
#endif
};

}  // namespace quorvex
