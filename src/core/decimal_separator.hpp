// The one decimal separator that number text is written and read with.
#pragma once

#include <atomic>

namespace quorvex {

// Read on every number, so the load below is inlined. Atomic so that the test hook cannot
// race with readers on other threads.
extern std::atomic<char16_t> gDecimalSeparator;

// The separator read from the numeric locale when the library was loaded: its radix
// character when that is exactly one UTF-16 unit, "." otherwise.
inline char16_t DecimalSeparator() noexcept { return gDecimalSeparator.load(std::memory_order_relaxed); }

// Replaces the separator; for tests only, never while an evaluation runs.
void SetDecimalSeparatorForTesting(char16_t separator) noexcept;

}  // namespace quorvex
