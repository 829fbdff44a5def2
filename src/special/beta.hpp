// The beta family and the chi-square distribution.
#pragma once

#include "special/conventions.hpp"

namespace quorvex::special {

// B(a, b) = Gamma(a) Gamma(b) / Gamma(a + b) through logarithms (Stirling's series once a
// parameter reaches 10); a <= 0 or b <= 0 raises EFunctionError.
double Beta(double a, double b);

// I_x(a, b) by the continued fraction with the symmetry swap; 0 at x = 0 and 1 at x = 1.
// Non-positive a or b and x outside [0, 1] raise EFunctionError, the cap EConvergeError.
double IncompleteBetaRegularized(double a, double b, double x, double eps);
inline double IncompleteBetaRegularized(double a, double b, double x) {
    return IncompleteBetaRegularized(a, b, x, kDefaultTolerance);
}

// B_x(a, b) = I_x(a, b) B(a, b), with its own argument checks.
double IncompleteBeta(double a, double b, double x, double eps);
inline double IncompleteBeta(double a, double b, double x) { return IncompleteBeta(a, b, x, kDefaultTolerance); }

// P(k/2, x/2) = gamma(k/2, x/2) / Gamma(k/2) for x >= 0; k <= 0 and x < 0 raise EFunctionError.
double ChiSquareCdf(double x, double k, double eps);
inline double ChiSquareCdf(double x, double k) { return ChiSquareCdf(x, k, kDefaultTolerance); }

}  // namespace quorvex::special
