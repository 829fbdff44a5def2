// The lower and upper incomplete gamma functions (not regularized).
#pragma once

#include "special/conventions.hpp"

namespace quorvex::special {

// gamma(a, x): series below x = 1.1, Gamma(a) - Gamma(a, x) from there on.
double LowerIncompleteGamma(double a, double x, double eps);
inline double LowerIncompleteGamma(double a, double x) { return LowerIncompleteGamma(a, x, kDefaultTolerance); }

// Gamma(a, x): continued fraction from x = 1.1 on (and for non-positive integer a), Gamma(a) -
// gamma(a, x) below.
double UpperIncompleteGamma(double a, double x, double eps);
inline double UpperIncompleteGamma(double a, double x) { return UpperIncompleteGamma(a, x, kDefaultTolerance); }

}  // namespace quorvex::special
