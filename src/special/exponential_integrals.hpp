// The exponential integrals Ei and En and the logarithmic integral li. Ei and En call each
// other for negative arguments and translate each other's errors into their own words.
#pragma once

#include "special/conventions.hpp"

#include <cstdint>

namespace quorvex::special {

// Ei(x). x = 0: EFunctionError (divergence); errors inside per the routine's contract.
double ExpIntegralEi(double x, double eps);
inline double ExpIntegralEi(double x) { return ExpIntegralEi(x, kDefaultTolerance); }

// E_n(x). x = 0 with n = 1: EFunctionError (divergence).
double ExpIntegralEn(std::int32_t n, double x, double eps);
inline double ExpIntegralEn(std::int32_t n, double x) { return ExpIntegralEn(n, x, kDefaultTolerance); }

// li(x) = Ei(ln x); x = 1 and x < 0 raise EFunctionError; li(0) = 0.
double LogIntegral(double x, double eps);
inline double LogIntegral(double x) { return LogIntegral(x, kDefaultTolerance); }

}  // namespace quorvex::special
