// The exponential integrals Ei and En and the logarithmic integral li. Ei and En call each
// other for negative arguments and translate each other's errors into their own words. Ei: its
// power series below 40 (A&S 5.1.10), its Taylor series within 0.1 of its zero, its asymptotic
// series beyond (A&S 5.1.51); E_n: its power series near 0 (A&S 5.1.12), else its continued
// fraction (A&S 5.1.22), found by Lentz and summed again from the bottom up. Measured against
// mpmath (tests/data/reference/exponential_integral.tsv): expi 2.00 (at 40, where the methods
// meet), li 0.76, expn 0.56 units of the 15th digit at worst.
#pragma once

#include "special/conventions.hpp"

#include <cstdint>

namespace quorvex::special {

// Ei(x), to about 15 digits (relative also next to its zero at 0.3725). x = 0: EFunctionError
// (divergence). x > 0: EConvergeError when a series reaches its cap, EFunctionError for every
// other failure (overflow from 716.4 on, an eps of 0 or below). x < 0: -E1(-x), any failure of
// which becomes EConvergeError.
double ExpIntegralEi(double x, double eps);
inline double ExpIntegralEi(double x) { return ExpIntegralEi(x, kDefaultTolerance); }

// E_n(x) for orders n >= 0 (the evaluator refuses negative ones), to about 15 digits. x = 0:
// 1/(n - 1), EFunctionError (divergence) for n = 1. n = 0: e^-x/x. x < 0: -Ei(-x) for every n,
// Ei's errors becoming EFunctionError (its overflow and its failure to converge, in E_n's
// words) or Exception (anything else, E_n's prefix before Ei's message). EConvergeError at the
// cap.
double ExpIntegralEn(std::int32_t n, double x, double eps);
inline double ExpIntegralEn(std::int32_t n, double x) { return ExpIntegralEn(n, x, kDefaultTolerance); }

// li(x) = Ei(ln x); x = 1 and x < 0 raise EFunctionError; li(0) = 0; otherwise Ei's errors.
double LogIntegral(double x, double eps);
inline double LogIntegral(double x) { return LogIntegral(x, kDefaultTolerance); }

}  // namespace quorvex::special
