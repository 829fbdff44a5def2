// The error function family: closed formulas, no iteration caps, no checks of their own. erfc by
// an eight-term sum with e^(-x^2) from the exact square, erf near 0 by the core's series, the
// inverses by Halley steps on the accurate functions. Measured against mpmath
// (tests/data/reference/error_function.tsv): 0.57 units of the 15th digit at worst.
#pragma once

namespace quorvex::special {

// e^(-z^2) for z = hi + lo (|lo| <= ulp(hi) / 2, |hi| < 2^995): with hi^2 = s + e exactly
// (Dekker's product) and z^2 = s + (e + 2 hi lo) to far below an ulp, e^(-s) e^(-(e + 2 hi lo)).
// The rounded square would put a relative error of z^2 ulps on the result (50 units of the 15th
// digit at erfc(23.9)).
double ExpOfNegativeSquare(double hi, double lo);
// erfc(x) by a pole term and an eight-term exponential sum, for every sign of x, a few units of
// the 16th digit; e^(-x^2) is taken from the exact square, so that it adds no error of its own.
// EOverflow where x x overflows (|x| > 1.34e154).
double Erfc(double x);
// erfc(hi + lo) for an argument known to more than a double's precision (|lo| <= ulp(hi) / 2):
// the low part enters only e^(-x^2), the one factor whose relative error grows with x^2.
double ErfcOfSum(double hi, double lo);
// 1 - erfc(x); for |x| < 0.5, where that difference cancels, erf directly.
double Erf(double x);
// The x with erfc(x) = y, within two ulps. For 0.5 < y < 1.5 InverseErf(1 - y), the difference
// exact. Otherwise, with p = y or 2 - y (exact) at most 0.5, the rational guess of A&S 26.2.23 and
// two Halley steps on erfc (p >= 1e-280) or two Newton steps on ln erfc (smaller p, where erfc is
// near or below the subnormals). y = 0 or 2 takes the logarithm of 0 (EZeroDivide); y outside
// [0, 2] that of a negative number (EInvalidOp).
double InverseErfc(double y);
// erfinv, odd, within two ulps: for |y| < 0.5 the series DLMF 7.17.2 to t^5 (t = sqrt(pi) y / 2)
// and two Halley steps on Erf; otherwise InverseErfc(1 - |y|), with 1 - |y| exact.
double InverseErf(double y);

}  // namespace quorvex::special
