// The lower and upper incomplete gamma functions (not regularized), and their regularised ratios.
// After DiDonato and Morris (ACM TOMS 654, 1987) and Temme (1979): the power term x^a e^-x / Gamma(a)
// from double-double logarithms, the series below x = 1.1 or a + 1, the continued fraction beyond
// (summed again from the bottom up), Temme's uniform expansion about x = a for large a, and the
// small-a form through Gamma(1 + a) - 1. Measured against mpmath
// (tests/data/reference/incomplete_gamma.tsv): sgamma 0.97, bgamma 1.03 units of the 15th digit at worst.
#pragma once

#include "special/conventions.hpp"

namespace quorvex::special {

// gamma(a, x): x < 0 and non-positive integer a raise EFunctionError; the alternating series
// below x = 1.1, the positive-term series on to x = a + 1, P(a, x) Gamma(a) beyond and near a
// large a (Temme's expansion, DLMF 8.12); x^a e^-x and x^a through double-double logarithms.
// Measured against mpmath over a in [1e-3, 1e6] (and negative non-integers down to -30),
// x in [1e-4, 1e10]: within 0.35 units of the 15th digit. Reaching the cap raises
// EConvergeError (with bgamma's message where the fraction ran).
double LowerIncompleteGamma(double a, double x, double eps);
inline double LowerIncompleteGamma(double a, double x) { return LowerIncompleteGamma(a, x, kDefaultTolerance); }

// P(a, x) = gamma(a, x) / Gamma(a) for a > 0, x >= 0, computed as such (gamma(a, x) / Gamma(a)
// overflowed from a = 172 on): Temme's expansion for a >= 20 near a, the fraction for Q from
// x = max(1.1, a + 1) on (from 1.1 for a <= 1), the series below, the power term
// x^a e^-x / Gamma(a) through its double-double logarithm (DiDonato and Morris 1986). The cap
// raises EConvergeError with the message of the routine whose region it is.
double RegularizedLowerGamma(double a, double x, double eps);
// Q(a, x) = Gamma(a, x) / Gamma(a) for a > 0, x > 0, the same way; below a = 1/2 and x = 1.1 by
// the small-parameter form, so that a Q near a (a ln x and the like) keeps its digits.
double RegularizedUpperGamma(double a, double x, double eps);

// Gamma(a, x): x < 0 raises EFunctionError; the continued fraction from x = max(1.1, a + 1) on
// (evaluated backwards once the Lentz form has converged), the limit of the series at a pole for
// non-positive integer a below 1.1, for 0 < |a| < 1/2 below 1.1 the small-parameter form
// (DiDonato and Morris 1986), Q(a, x) Gamma(a) elsewhere with a > 0, Gamma(a) - gamma(a, x) for
// other negative a. Measured as above: within 0.8 units of the 15th digit. Reaching the cap
// raises EConvergeError (with sgamma's message where its series ran).
double UpperIncompleteGamma(double a, double x, double eps);
inline double UpperIncompleteGamma(double a, double x) { return UpperIncompleteGamma(a, x, kDefaultTolerance); }

}  // namespace quorvex::special
