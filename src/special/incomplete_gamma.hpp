// The lower and upper incomplete gamma functions (not regularized).
#pragma once

#include "special/conventions.hpp"

namespace quorvex::special {

// gamma(a, x): x < 0 and non-positive integer a raise EFunctionError; the alternating series
// below x = 1.1, the positive-term series on to x = a + 1, Gamma(a) - Gamma(a, x) beyond.
// Reaching the cap raises EConvergeError (with bgamma's message where the fraction ran).
double LowerIncompleteGamma(double a, double x, double eps);
inline double LowerIncompleteGamma(double a, double x) { return LowerIncompleteGamma(a, x, kDefaultTolerance); }

// Gamma(a, x): x < 0 raises EFunctionError; the continued fraction from x = max(1.1, a + 1) on,
// the limit of the series at a pole for non-positive integer a below 1.1, Gamma(a) - gamma(a, x)
// elsewhere. Reaching the cap raises EConvergeError (with sgamma's message where its series ran).
double UpperIncompleteGamma(double a, double x, double eps);
inline double UpperIncompleteGamma(double a, double x) { return UpperIncompleteGamma(a, x, kDefaultTolerance); }

}  // namespace quorvex::special
