// Small integer and combinatorial helpers shared by the handlers and the numerics.
#pragma once

#include <cstdint>

namespace quorvex::special {

// n over k for 0 <= k <= n, as the product over i = 1 .. m of (n - m + i) / i with m the smaller
// of k and n - k, carried in double-double and rounded once: exact while the value is below
// 2^53, correctly rounded beyond unless within 1e-28 relative of halfway between two doubles. A value past the largest
// double raises EOverflow (at once when m >= 1024, where n over k >= 2^m).
double BinomialCoefficient(std::int32_t n, std::int32_t k);

// n! as the floating-point product 2 * 3 * ... * n; 1 for n < 2. Overflow raises EOverflow.
double IntFactorial(std::int32_t n);

// The number of base-2 digits of a positive n; 0 for n <= 0.
int BitLength(std::int32_t n);

}  // namespace quorvex::special
