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

// (e^x - e^-x) / 2, exactly 0 for |x| <= 1e-12.
double HyperbolicSine(double x);
// (e^x + e^-x) / 2, exactly 1 for |x| <= 1e-12.
double HyperbolicCosine(double x);

// arctan(1 / x); pi/2 for |x| <= 1e-12, whatever the sign of x.
double InverseCotangent(double x);
// ln(x + sqrt(x x + 1)).
double InverseHyperbolicSine(double x);
// ln(x + sqrt((x - 1) / (x + 1)) (x + 1)).
double InverseHyperbolicCosine(double x);
// +inf for |x| <= 1e-12; 0 within 1e-12 of 1; otherwise ln((sqrt(1 - x x) + 1) / x).
double InverseHyperbolicSecant(double x);
// +inf within 1e-12 of 1, -inf within 1e-12 of -1; otherwise 1/2 ln((x + 1) / (x - 1)).
double InverseHyperbolicCotangent(double x);
// +inf for |x| <= 1e-12; ln((1 - sqrt(x x + 1)) / x) for x < 0, ln((sqrt(x x + 1) + 1) / x) else.
double InverseHyperbolicCosecant(double x);
// +inf within 1e-12 of 1, -inf within 1e-12 of -1; otherwise 1/2 ln((x + 1) / (1 - x)).
double InverseHyperbolicTangent(double x);

}  // namespace quorvex
