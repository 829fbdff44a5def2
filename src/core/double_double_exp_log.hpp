// The logarithm and the exponential with double-double exponents: the pieces that let a large
// power or a quotient of factorials be one exponential whose rounded exponent costs no digits.
#pragma once

#include "core/double_double.hpp"

namespace quorvex {

// ln 2, ln 2 pi and ln(2 pi) / 2 rounded to double-double.
inline constexpr DoubleDouble kLn2DoubleDouble = {0.69314718055994529, 2.3190468138462996e-17};
inline constexpr DoubleDouble kLogTwoPiDoubleDouble = {1.8378770664093456, -7.756588316134483e-17};
inline constexpr DoubleDouble kHalfLogTwoPiDoubleDouble = {0.9189385332046728, -3.8782941580672414e-17};

// ln x in double-double for a positive normal x, relative error a few units of 2^-104.
DoubleDouble LogDoubleDouble(double x);

// e^(hi + lo) as e^hi (1 + lo), within about one ulp; EOverflow where e^hi overflows.
double ExpOfDoubleDouble(DoubleDouble exponent);

// e^(hi + lo) in double-double, within a few units of 2^-100 times the exponent's size: the
// exponential's rounding mended by what ln of it leaves over. Where e^hi is 0 or infinite, that
// alone (no error is raised).
DoubleDouble ExpToDoubleDouble(DoubleDouble exponent);

}  // namespace quorvex
