// The logarithm and the exponential in double-double: the pieces that let a large power, or a
// quotient of gammas, be one exponential whose exponent's rounding costs no digits. They wrap the
// elementary functions' own kernels (relative error below 2^-85).
#pragma once

#include "core/double_double.hpp"

namespace quorvex {

// ln 2 pi and ln(2 pi) / 2 rounded to double-double.
inline constexpr DoubleDouble kLogTwoPiDoubleDouble = {1.8378770664093456, -7.756588316134483e-17};
inline constexpr DoubleDouble kHalfLogTwoPiDoubleDouble = {0.9189385332046728, -3.8782941580672414e-17};

// ln x. A non-positive or infinite x gives the plain logarithm's value (no error is raised).
DoubleDouble LogDoubleDouble(DoubleDouble x);
inline DoubleDouble LogDoubleDouble(double x) { return LogDoubleDouble(DoubleDouble{x, 0.0}); }

// ln(1 + x), also for tiny x; x <= -1 or infinite gives the plain value.
DoubleDouble Log1pDoubleDouble(DoubleDouble x);

// atan(y / x) for y, x >= 0, not both zero, both below 2^990; relative error below 2^-90.
DoubleDouble AtanOfRatioDoubleDouble(DoubleDouble y, DoubleDouble x);

// e^(hi + lo) rounded once: 0 below the subnormals, EOverflow past the largest double.
double ExpOfDoubleDouble(DoubleDouble exponent);

// e^(hi + lo) in double-double while it is a normal double, within 2^-94 relative plus 2^-95
// times the exponent; else e^hi alone, 0 or infinite (no error is raised).
DoubleDouble ExpToDoubleDouble(DoubleDouble exponent);

}  // namespace quorvex
