// The one decimal separator that number text is written and read with.
#pragma once

namespace quorvex {

// The separator read from the numeric locale when the library was loaded: its radix
// character when that is exactly one UTF-16 unit, "." otherwise.
char16_t DecimalSeparator() noexcept;

// Replaces the separator; for tests only, never while an evaluation runs.
void SetDecimalSeparatorForTesting(char16_t separator) noexcept;

}  // namespace quorvex
