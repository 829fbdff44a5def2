// Bessel functions of the first and second kind of real order at a real point.
// Methods by region: the ascending series in double-double for x < 5.5 and wherever x^2 <
// 10 (nu + 1) (A&S 9.1.10); Temme's series with Y's recurrence below x = 2 (Temme, J. Comput.
// Phys. 19, 1975); Steed's method up to x = 1000 (Numerical Recipes' bessjy); Hankel's expansion
// beyond 45 at the order while nu^2 <= 2x (A&S 9.2.5), else at an order within 1/2 of 0 with the
// recurrences (bessel_hankel.hpp); negative orders by reflection with the exact sin and cos of
// nu pi (A&S 9.1.2). Measured against mpmath (tests/data/reference/bessel.tsv, errors relative to
// sqrt(J^2 + Y^2) where the functions oscillate): worst 0.68 units of the 15th digit for J,
// 1.00 for Y.
#pragma once

#include "special/conventions.hpp"

namespace quorvex::special {

// J_nu(x); the point first, the order second. J_nu(0) is 1 for nu = 0, 0 for other orders and
// raises EFunctionError for negative non-integer orders. A negative x with a non-integer order,
// and x < -45 with any order, are invalid operations (EInvalidOp). Within 2 units of the 15th
// significant digit (of sqrt(J^2 + Y^2) by a zero) for every x and |nu| <= 12000, and for
// larger orders at x below 1000 or near and past the turning point nu = x; 0 where J underflows.
// EConvergeError for eps <= 0, at a cap, and for x > 1000 with 12000 < nu < x - 30, where no
// method here serves (Debye's expansions would). Not finite x or nu: EOverflow.
double BesselJ(double x, double nu, double eps);
inline double BesselJ(double x, double nu) { return BesselJ(x, nu, kDefaultTolerance); }

// Y_nu(x); x = 0 and integer order with x < 0 raise EFunctionError; a non-integer order with
// x < 0 is an invalid operation. Accurate as J; EOverflow where |Y| exceeds the double range.
// EConvergeError (Y's message; J's for eps <= 0 at a nonzero integer order) for eps <= 0, at a
// cap, and where J has none.
double BesselY(double x, double nu, double eps);
inline double BesselY(double x, double nu) { return BesselY(x, nu, kDefaultTolerance); }

}  // namespace quorvex::special
