// The double-double kernels the elementary functions share, and their constants. Internal to
// core/: callers outside it use elementary_math.hpp.
#pragma once

#include "core/double_double.hpp"

namespace quorvex {

// pi, pi/2 and ln 2 rounded to double-double.
inline constexpr DoubleDouble kPiDD = {3.1415926535897931, 1.2246467991473532e-16};
inline constexpr DoubleDouble kHalfPiDD = {1.5707963267948966, 6.123233995736766e-17};
inline constexpr DoubleDouble kLn2DD = {0.69314718055994529, 2.3190468138462996e-17};

// A value 2^exponent * mantissa, for results whose scaled form would overflow or underflow.
struct ScaledDoubleDouble {
    DoubleDouble mantissa;
    int exponent;
};

// e^x for |x.hi| <= 746, with the mantissa in [0.7, 1.5) and relative error below 2^-85.
ScaledDoubleDouble ExpKernel(DoubleDouble x);

// e^x - 1 for |x.hi| <= 700, relative error below 2^-75 (2^-85 for |x| < ln 2 / 2048).
DoubleDouble Expm1Kernel(DoubleDouble x);

// ln(a) for a > 0 finite, absolute error below 2^-95 and relative error below 2^-85.
DoubleDouble LogKernel(DoubleDouble a);

// ln(1 + d) for d > -1, relative error below 2^-85, also for tiny d.
DoubleDouble Log1pKernel(DoubleDouble d);

// atan(num / den) for num, den >= 0, not both zero, both below 2^990; relative error below 2^-90.
DoubleDouble AtanOfRatio(DoubleDouble num, DoubleDouble den);

// The double nearest to v * 2^exponent, rounded once even where it is subnormal; +-inf on overflow.
double RoundScaled(DoubleDouble v, int exponent);

}  // namespace quorvex
