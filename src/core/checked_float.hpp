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

// A double whose arithmetic is checked, so a formula reads as written: a * b + c is
// CheckedAdd(CheckedMultiply(a, b), c), the same IEEE operations in the same order. A double
// converts to it implicitly; back only explicitly, so an unchecked step is visible. The
// operators are free functions, not members: like the nested calls they replace, their
// operands are evaluated in the order the compiler gives any call's arguments.
class Checked {
public:
    Checked() = default;
    constexpr Checked(double value) : value_(value) {}

    constexpr explicit operator double() const { return value_; }

    friend Checked operator+(Checked a, Checked b) { return CheckedAdd(a.value_, b.value_); }
    friend Checked operator-(Checked a, Checked b) { return CheckedSubtract(a.value_, b.value_); }
    friend Checked operator*(Checked a, Checked b) { return CheckedMultiply(a.value_, b.value_); }
    friend Checked operator/(Checked a, Checked b) { return CheckedDivide(a.value_, b.value_); }
    // Negation is exact and never faults.
    friend constexpr Checked operator-(Checked a) { return -a.value_; }

    Checked& operator+=(Checked b) { return *this = *this + b; }
    Checked& operator-=(Checked b) { return *this = *this - b; }
    Checked& operator*=(Checked b) { return *this = *this * b; }
    Checked& operator/=(Checked b) { return *this = *this / b; }

    // The plain comparisons, each the very comparison of two doubles (not one <=> for all): no
    // check, no other instruction.
    friend constexpr bool operator==(Checked a, Checked b) { return a.value_ == b.value_; }
    friend constexpr bool operator<(Checked a, Checked b) { return a.value_ < b.value_; }
    friend constexpr bool operator>(Checked a, Checked b) { return a.value_ > b.value_; }
    friend constexpr bool operator<=(Checked a, Checked b) { return a.value_ <= b.value_; }
    friend constexpr bool operator>=(Checked a, Checked b) { return a.value_ >= b.value_; }

private:
    double value_ = 0.0;
};

inline Checked CheckedLn(Checked x) { return CheckedLn(static_cast<double>(x)); }
inline Checked CheckedExp(Checked x) { return CheckedExp(static_cast<double>(x)); }
inline Checked CheckedSqrt(Checked x) { return CheckedSqrt(static_cast<double>(x)); }

}  // namespace quorvex
