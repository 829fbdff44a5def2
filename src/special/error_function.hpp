// The error function family: closed formulas, no iteration caps, no checks of their own.
#pragma once

namespace quorvex::special {

// erfc(x) by a pole term and an eight-term exponential sum, for every sign of x.
double Erfc(double x);
// 1 - erfc(x); for |x| < 0.5, where that difference cancels, erf directly.
double Erf(double x);
// The x with erfc(x) = y: a rational first guess and two Halley steps. y = 0 or 2 takes the
// logarithm of 0 (EZeroDivide); y outside [0, 2] that of a negative number (EInvalidOp).
double InverseErfc(double y);
// InverseErfc(1 - y).
double InverseErf(double y);

}  // namespace quorvex::special
