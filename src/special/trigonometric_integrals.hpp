// The sine and cosine integrals, their hyperbolic forms and the Fresnel integrals. Each routine
// is accurate to 0.7 units of the 15th digit at worst against mpmath
// (tests/data/reference/trigonometric_integral.tsv; near a zero of Si - π/2, relative to the size
// of the oscillation; Ci and Chi about their zeros below 4 by their Taylor series there) and raises EConvergeError with
// its own message when its series, continued fraction or quadrature reaches the cap of 1000 rounds, or at once when the
// tolerance is <= 0 or further rounds can no longer meet it.
#pragma once

#include "special/conventions.hpp"

namespace quorvex::special {

// Si(x).
double SineIntegral(double x, double eps);
inline double SineIntegral(double x) { return SineIntegral(x, kDefaultTolerance); }
// Si(x) - pi/2.
double ShiftedSineIntegral(double x, double eps);
inline double ShiftedSineIntegral(double x) { return ShiftedSineIntegral(x, kDefaultTolerance); }
// Ci(x); x <= 0 raises EFunctionError.
double CosineIntegral(double x, double eps);
inline double CosineIntegral(double x) { return CosineIntegral(x, kDefaultTolerance); }
// Cin(x) = gamma + ln x - Ci(x); x <= 0 raises EFunctionError.
double EntireCosineIntegral(double x, double eps);
inline double EntireCosineIntegral(double x) { return EntireCosineIntegral(x, kDefaultTolerance); }
// Shi(x); EOverflow from about 717.1 on, where the value passes the largest double.
double HypSineIntegral(double x, double eps);
inline double HypSineIntegral(double x) { return HypSineIntegral(x, kDefaultTolerance); }
// Chi(x); x <= 0 raises EFunctionError; EOverflow from about 717.1 on.
double HypCosineIntegral(double x, double eps);
inline double HypCosineIntegral(double x) { return HypCosineIntegral(x, kDefaultTolerance); }
// S(x) = integral from 0 to x of sin(pi t^2 / 2).
double FresnelS(double x, double eps);
inline double FresnelS(double x) { return FresnelS(x, kDefaultTolerance); }
// C(x) = integral from 0 to x of cos(pi t^2 / 2).
double FresnelC(double x, double eps);
inline double FresnelC(double x) { return FresnelC(x, kDefaultTolerance); }

}  // namespace quorvex::special
