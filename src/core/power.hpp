// The one power rule of the system, for the "^" operator and every b^e of the numerics.
#pragma once

namespace quorvex {

// x to the power y, in this order: y = 0 gives 1 (0^0 too); x = 0 with y > 0 gives 0; an
// integral y with |y| <= 2147483647 is computed by square-and-multiply, with the reciprocal
// for negative y (so negative bases are allowed and 0^-1 divides by zero); otherwise a
// negative x is an invalid operation and a positive x gives exp(y * ln x).
// Errors: EOverflow, EZeroDivide, EInvalidOp from the checked arithmetic.
double Power(double x, double y);

// x^n by square-and-multiply: r = 1, b = x, e = |n|; while e > 0 { while e is even
// { e /= 2; b *= b; } e -= 1; r *= b; }; 1 / r for negative n.
double IntegerPower(double x, long long n);

}  // namespace quorvex
