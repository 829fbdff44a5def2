// The decimal separator that number text is written and read with.
#pragma once

#include <atomic>

namespace quorvex {

// The separator evaluations start with: the one read from the numeric locale when the library
// was loaded (its radix character when that is exactly one UTF-16 unit, "." otherwise), or the
// one a host set since. An evaluation reads it once and keeps its copy throughout.
extern std::atomic<char16_t> gDecimalSeparator;

inline char16_t DecimalSeparator() noexcept { return gDecimalSeparator.load(std::memory_order_relaxed); }

// Makes the separator of the evaluations that start from now on, and answers whether it was
// accepted: only "." and ",", the two that the tokenizer and the writer know; any other could
// be an operator, a bracket, a digit, a letter of a name or exponent, or a space that the
// working text drops. 0 restores the separator read from the locale at load.
bool SetDecimalSeparator(char16_t separator) noexcept;

}  // namespace quorvex
