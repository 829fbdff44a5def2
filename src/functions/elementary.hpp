// The elementary functions whose formulas, special cases and faults are part of the
// behaviour. Every operation that may fault is checked, so the first faulting step raises
// EOverflow, EZeroDivide or EInvalidOp for the evaluator to translate.
#pragma once

namespace quorvex {

// Truncation toward zero: +0 for |x| < 1, x itself from 2^52 on.
double IntegerPart(double x);
// x - IntegerPart(x): x itself for |x| < 1, 0 from 2^52 on.
double FractionalPart(double x);
// -1, 0 or 1; 0 for both zeros.
double Sign(double x);

// sinh x by the library's correctly rounded Sinh (+0 at -0); EOverflow where e^|x| overflows
// (|x| > 709.78), as the formula (e^x - e^-x) / 2 did.
double HyperbolicSine(double x);
// (e^x + e^-x) / 2, exactly 1 for |x| <= 1e-12.
double HyperbolicCosine(double x);
// 1 / sinh x, within an ulp or two; EZeroDivide for 0 < |x| <= 1e-12, where the formula's sine
// was 0, and EOverflow where HyperbolicSine overflows.
double HyperbolicCosecant(double x);

// arctan(1 / x); pi/2 for |x| <= 1e-12, whatever the sign of x.
double InverseCotangent(double x);
// Inverse secant and cosecant for |x| >= 1, within two ulps: acos(1/x) and asin(1/x) from
// |x| = 2 on; below, where 1/x rounded near ±1 loses digits, the angles
// atan2(sqrt((|x| - 1)(|x| + 1)), sign x) and atan2(sign x, sqrt((|x| - 1)(|x| + 1))).
double InverseSecant(double x);
double InverseCosecant(double x);
// The inverse hyperbolic functions below replace formulas ln(...) that cancelled. Each keeps that
// formula's faults: where ln's argument overflowed, was 0 or negative, the same EOverflow,
// EZeroDivide or EInvalidOp; elsewhere the value is within two ulps.
// asinh x by the correctly rounded Asinh (+0 at -0). Faults of ln(x + sqrt(x x + 1)): EOverflow
// for |x| > 1.34e154 (x x), EZeroDivide or EInvalidOp where the sum cancels to 0 or below (x
// below about -6.7e7).
double InverseHyperbolicSine(double x);
// acosh x by the correctly rounded Acosh. Faults of ln(x + sqrt((x - 1) / (x + 1)) (x + 1)):
// EZeroDivide at -1, EInvalidOp below -1, EOverflow from about 8.99e307.
double InverseHyperbolicCosine(double x);
// +inf for |x| <= 1e-12; 0 within 1e-12 of 1; otherwise acosh(1/x) as
// log1p((1 - x + sqrt((1 - x)(1 + x))) / x), with 1 - x exact near 1.
double InverseHyperbolicSecant(double x);
// +inf within 1e-12 of 1, -inf within 1e-12 of -1; otherwise odd, log1p(2 / (|x| - 1)) / 2
// below |x| = 2 (|x| - 1 exact), atanh(1/|x|) from 2 on.
double InverseHyperbolicCotangent(double x);
// +inf for |x| <= 1e-12; otherwise asinh(1/x). Faults of ln((sqrt(x x + 1) + 1) / x) and, for
// x < 0, ln((1 - sqrt(x x + 1)) / x): EOverflow for |x| > 1.34e154, EZeroDivide for
// -1.8e-8 < x < -1e-12, where 1 - sqrt(x x + 1) is 0.
double InverseHyperbolicCosecant(double x);
// +inf within 1e-12 of 1, -inf within 1e-12 of -1; otherwise the correctly rounded Atanh (+0 at -0).
double InverseHyperbolicTangent(double x);

}  // namespace quorvex
