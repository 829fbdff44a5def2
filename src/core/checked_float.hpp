// Checked floating-point arithmetic: each operation raises EInvalidOp, EZeroDivide or
// EOverflow exactly where a processor with those traps enabled would have stopped.
// Underflow and inexact results are not errors.
#pragma once

#include <cmath>

namespace quorvex {

// What CheckResult and CheckedDivide make of a result that is not finite, out of line: the
// finite result, by far the commonest, costs one test inline.
double CheckNonFiniteResult(double result, double a, double b);
double CheckNonFiniteResult(double result, double a);
double CheckDivisionFault(double a, double b);

// The result of an operation on finite or infinite operands, checked: NaN from non-NaN
// operands is an invalid operation, an infinity from finite operands an overflow.
inline double CheckResult(double result, double a, double b) {
    return std::isfinite(result) ? result : CheckNonFiniteResult(result, a, b);
}
inline double CheckResult(double result, double a) {
    return std::isfinite(result) ? result : CheckNonFiniteResult(result, a);
}

inline double CheckedAdd(double a, double b) { return CheckResult(a + b, a, b); }
inline double CheckedSubtract(double a, double b) { return CheckResult(a - b, a, b); }
inline double CheckedMultiply(double a, double b) { return CheckResult(a * b, a, b); }

// a / b; a finite non-zero a over zero is a division by zero, 0 / 0 invalid.
inline double CheckedDivide(double a, double b) {
    const double quotient = a / b;
    return std::isfinite(quotient) && b != 0.0 ? quotient : CheckDivisionFault(a, b);
}

// Natural logarithm: negative arguments are invalid, zero is a division by zero.
double CheckedLn(double x);

// e^x; a finite x whose result overflows raises EOverflow.
double CheckedExp(double x);

// Square root: negative arguments are invalid.
double CheckedSqrt(double x);

}  // namespace quorvex
