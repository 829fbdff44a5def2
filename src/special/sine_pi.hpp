// sin(pi x) and cos(pi x) with the argument reduced exactly, shared by the reflection formulas
// of gamma, Bessel and zeta.
#pragma once

namespace quorvex::special {

// sin(pi x): +0 at every integer (-0 at -0), within about one ulp elsewhere, for every finite
// x; NaN for infinities and NaN.
double SinPi(double x);

// cos(pi x): +0 at every half-integer, within about one ulp elsewhere, for every finite x;
// NaN for infinities and NaN.
double CosPi(double x);

}  // namespace quorvex::special
