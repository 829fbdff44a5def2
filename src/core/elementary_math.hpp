// The library's own elementary functions, so that results are the same bit for bit on every
// platform, whatever its C math library. Each evaluates in double-double arithmetic with a
// relative error far below 2^-70 before one final rounding, so the result is the correctly
// rounded value except in cases far rarer than one in a billion. Special values (signed zeros,
// infinities, NaN, overflow to infinity, underflow, NaN outside the domain) are those of
// C99 Annex F. Nothing here raises: callers check results (CheckResult).
#pragma once

namespace quorvex {

// e^x; +inf past 709.78, +0 below -745.13, subnormal results correctly rounded.
double Exp(double x);

// e^x - 1, accurate near 0; -1 for very negative x.
double Expm1(double x);

// Natural logarithm: -inf at ±0, NaN below 0, +0 at 1.
double Log(double x);

// ln(1 + x), accurate near 0: -inf at -1, NaN below -1.
double Log1p(double x);

// Sine, cosine and tangent of x radians, for every finite x (exact reduction by pi/2 up to
// 1.8e308); NaN for infinities.
double Sin(double x);
double Cos(double x);
double Tan(double x);

// Inverse sine and cosine: NaN outside [-1, 1]; results in [-pi/2, pi/2] and [0, pi].
double Asin(double x);
double Acos(double x);

// Inverse tangent, in [-pi/2, pi/2].
double Atan(double x);

// The angle of the point (x, y), in [-pi, pi], with the signed zeros and infinities of C99.
double Atan2(double y, double x);

// Hyperbolic sine, cosine, tangent; sinh and cosh overflow to ±inf past 710.48.
double Sinh(double x);
double Cosh(double x);
double Tanh(double x);

// Inverse hyperbolic functions: acosh is NaN below 1, atanh NaN outside [-1, 1] and ±inf at ±1.
double Asinh(double x);
double Acosh(double x);
double Atanh(double x);

// sqrt(x^2 + y^2) without intermediate overflow or underflow; +inf if either is infinite.
double Hypot(double x, double y);

// erf(x) by its Maclaurin series, for |x| <= 0.5 (NaN outside); the error function of larger
// arguments is built from erfc in special/.
double ErfNearZero(double x);

}  // namespace quorvex
