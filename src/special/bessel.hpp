// Bessel functions of the first and second kind of real order at a real point.
#pragma once

#include "special/conventions.hpp"

namespace quorvex::special {

// J_nu(x); the point first, the order second.
double BesselJ(double x, double nu, double eps);
inline double BesselJ(double x, double nu) { return BesselJ(x, nu, kDefaultTolerance); }

// Y_nu(x); x = 0 and integer order with x < 0 raise EFunctionError.
double BesselY(double x, double nu, double eps);
inline double BesselY(double x, double nu) { return BesselY(x, nu, kDefaultTolerance); }

}  // namespace quorvex::special
