// Small integer and combinatorial helpers shared by the handlers and the numerics.
#pragma once

#include <cstdint>

namespace quorvex::special {

// n over k in floating point: 1 for k = 0 or n = k; n for k = 1 or n = k + 1; otherwise, with
// m the larger of k and n - k (the smaller when the larger exceeds a million), the product over
// i = 1 .. m of (n - m + i) / i, multiplying and then dividing in that order. Overflow raises
// EOverflow.
double BinomialCoefficient(std::int32_t n, std::int32_t k);

// n! as the floating-point product 2 * 3 * ... * n; 1 for n < 2. Overflow raises EOverflow.
double IntFactorial(std::int32_t n);

// The number of base-2 digits of a positive n; 0 for n <= 0.
int BitLength(std::int32_t n);

}  // namespace quorvex::special
