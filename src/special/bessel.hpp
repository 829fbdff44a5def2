// Bessel functions of the first and second kind of real order at a real point.
#pragma once

#include "special/conventions.hpp"

namespace quorvex::special {

// J_nu(x); the point first, the order second. J_nu(0) is 1 for nu = 0, 0 for other orders and
// raises EFunctionError for negative non-integer orders. A negative x with a non-integer order,
// and x < -45 with any order, are invalid operations (EInvalidOp). EConvergeError at a cap, or
// for x > 1000 with 10 x < nu^2 and |nu| + 1 <= x^2 / 4, where no method here meets the tolerance.
double BesselJ(double x, double nu, double eps);
inline double BesselJ(double x, double nu) { return BesselJ(x, nu, kDefaultTolerance); }

// Y_nu(x); x = 0 and integer order with x < 0 raise EFunctionError; a non-integer order with
// x < 0 is an invalid operation. EConvergeError (Y's message) at a cap, also inside J for a
// non-integer order, or for x > 1000 with nu^2 > 10 x.
double BesselY(double x, double nu, double eps);
inline double BesselY(double x, double nu) { return BesselY(x, nu, kDefaultTolerance); }

}  // namespace quorvex::special
