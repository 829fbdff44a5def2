// The beta family and the chi-square distribution.
#pragma once

#include "special/conventions.hpp"

namespace quorvex::special {

// B(a, b) = exp(ln Gamma(b) + ln Gamma(a) - ln Gamma(a + b)).
double Beta(double a, double b);

// I_x(a, b) by the continued fraction with the symmetry swap.
double IncompleteBetaRegularized(double a, double b, double x, double eps);
inline double IncompleteBetaRegularized(double a, double b, double x) {
    return IncompleteBetaRegularized(a, b, x, kDefaultTolerance);
}

// B_x(a, b) = I_x(a, b) B(a, b), with its own argument checks.
double IncompleteBeta(double a, double b, double x, double eps);
inline double IncompleteBeta(double a, double b, double x) { return IncompleteBeta(a, b, x, kDefaultTolerance); }

// P(k/2, x/2) = gamma(k/2, x/2) / Gamma(k/2).
double ChiSquareCdf(double x, double k, double eps);
inline double ChiSquareCdf(double x, double k) { return ChiSquareCdf(x, k, kDefaultTolerance); }

}  // namespace quorvex::special
