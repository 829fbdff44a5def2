// The gamma family on the real line. Gamma by exact products in double-double to 200 (A&S
// 6.1.15) over a fit of 1 / Gamma(1 + z), reflection with the exact sin(pi x) (A&S 6.1.17); ln
// Gamma by that fit about its zeros 1 and 2, by a closed approximation elsewhere; psi by a fit
// about its positive zero and the shifted asymptotic series (A&S 6.3.18); psi^(n) as one
// exponential of a double-double exponent times its shifted sum and asymptotic tail (A&S 6.4.10,
// 6.4.11). Measured against mpmath (tests/data/reference/gamma.tsv): gamma 0.65, lgamma 1.80 (next
// to its poles), dgamma 0.56, pgamma 0.65 units of the 15th digit at worst.
#pragma once

#include "core/double_double.hpp"
#include "special/conventions.hpp"

#include <cstdint>

namespace quorvex::special {

// ln Gamma(x) for x > 0, to about 15 significant digits.
double LogGammaPositive(double x);

// ln Gamma(x) in double-double for x > 0: the exponent of a quotient of gammas that itself may
// leave the doubles. Below 10 the logarithm of Gamma (3e-16 relative), from 10 on Stirling's
// series in double-double (1e-30 absolute).
DoubleDouble LogGammaDoubleDouble(double x);

// Gamma(x) in double-double for 0 < x <= 10 (normal x), within a few units of 2^-100.
DoubleDouble GammaDoubleDouble(double x);

// ln Gamma(x) - ((x - 1/2) ln x - x + ln(2 pi) / 2) for x >= 10 by Stirling's series (A&S
// 6.1.41, eight terms), within 2e-18 absolute.
double StirlingCorrection(double x);

// Gamma(1 + a) - 1 for -1/2 <= a <= 1 with relative accuracy, so that Gamma(a) - 1/a keeps its
// digits as a goes to 0.
double GammaOnePlusMinusOne(double a);

// Gamma(x); poles (non-positive integers) raise EFunctionError. Negative arguments go through
// the reflection formula; below about -170 through logarithms, so the result underflows.
double Gamma(double x);

// ln Gamma(x); poles raise EFunctionError. For x < 0, ln(pi) - ln(sin(pi x)) - ln Gamma(1 - x):
// where Gamma(x) < 0 the logarithm's invalid operation propagates.
double LogGamma(double x);

// psi(x) by upward shift past a bound set by eps and the asymptotic series; within 1/4 of its
// positive zero x0 as (x - x0) P(x - x0), a fit to 3e-16 relative; poles raise EFunctionError.
double Digamma(double x, double eps);
inline double Digamma(double x) { return Digamma(x, kDefaultTolerance); }

// psi^(n)(x) for n >= 0; n = 0 is Digamma. Poles raise EFunctionError.
double Polygamma(std::int32_t n, double x, double eps);
inline double Polygamma(std::int32_t n, double x) { return Polygamma(n, x, kDefaultTolerance); }

// (-1)^n d^n cot(y) / dy^n, a polynomial in cot y with non-negative integer coefficients.
double CotDerivative(std::int32_t n, double y);

// The same polynomial at q = cot y, for callers that hold the cotangent more accurately than y.
double CotDerivativeOfCotangent(std::int32_t n, double q);

}  // namespace quorvex::special
