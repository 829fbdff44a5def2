// Double-double arithmetic: a value held as an unevaluated sum hi + lo of two doubles, with
// |lo| <= ulp(hi) / 2, giving about 106 bits. The elementary functions evaluate in it and round
// once at the end. Built from +, -, *, / and exact operations only: no fma (it may be a slow or
// inexact library routine on some platforms) and no contraction (-ffp-contract=off).
#pragma once

#include <cmath>
#include <numbers>
#include <span>

namespace quorvex {

struct DoubleDouble {
    double hi;
    double lo;
};

// pi, pi/2 and ln 2 rounded to double-double: the double nearest, and the rest of the value.
inline constexpr DoubleDouble kPiDoubleDouble = {std::numbers::pi, 1.2246467991473532e-16};
inline constexpr DoubleDouble kHalfPiDoubleDouble = {std::numbers::pi / 2.0, 6.123233995736766e-17};
inline constexpr DoubleDouble kLn2DoubleDouble = {std::numbers::ln2, 2.3190468138462996e-17};

// Veltkamp's splitting constant 2^27 + 1: splits a double into two halves of 26 bits.
inline constexpr double kSplitter = 134217729.0;

// a + b exactly, when |a| >= |b| or a == 0 (Dekker's Fast2Sum).
inline DoubleDouble FastTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// a + b exactly, for any order of magnitude (Knuth's TwoSum).
inline DoubleDouble TwoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// a as hi + lo, each of at most 26 significant bits (Veltkamp). |a| < 2^995, so that the
// scaled copy does not overflow. constexpr, so that a table's constants are split once.
constexpr DoubleDouble Split(double a) {
    const double c = kSplitter * a;
    const double hi = c - (c - a);
    return {hi, a - hi};
}

// a b exactly, unless it underflows; |a|, |b| < 2^995 (Dekker's product).
inline DoubleDouble TwoProduct(double a, double b) {
    const double p = a * b;
    const DoubleDouble x = Split(a);
    const DoubleDouble y = Split(b);
    return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

// TwoProduct(a, b) with Split(a), or both splits, given, the same operations: a table value's
// split is a constant.
inline DoubleDouble TwoProduct(DoubleDouble aSplit, double a, DoubleDouble bSplit, double b) {
    const double p = a * b;
    return {p, ((aSplit.hi * bSplit.hi - p) + aSplit.hi * bSplit.lo + aSplit.lo * bSplit.hi) + aSplit.lo * bSplit.lo};
}

inline DoubleDouble TwoProduct(DoubleDouble aSplit, double a, double b) { return TwoProduct(aSplit, a, Split(b), b); }

// Sums and products, relative error below 2^-103 (Joldes, Muller, Popescu 2017, algorithms 6,
// 9, 12 rebuilt without fma).
inline DoubleDouble Add(DoubleDouble a, double b) {
    const DoubleDouble s = TwoSum(a.hi, b);
    return FastTwoSum(s.hi, s.lo + a.lo);
}

inline DoubleDouble Add(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble s = TwoSum(a.hi, b.hi);
    const DoubleDouble t = TwoSum(a.lo, b.lo);
    const DoubleDouble u = FastTwoSum(s.hi, s.lo + t.hi);
    return FastTwoSum(u.hi, u.lo + t.lo);
}

constexpr DoubleDouble Negate(DoubleDouble a) { return {-a.hi, -a.lo}; }

inline DoubleDouble Subtract(DoubleDouble a, DoubleDouble b) { return Add(a, Negate(b)); }

inline DoubleDouble Multiply(DoubleDouble a, double b) {
    const DoubleDouble p = TwoProduct(a.hi, b);
    return FastTwoSum(p.hi, p.lo + a.lo * b);
}

inline DoubleDouble Multiply(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble p = TwoProduct(a.hi, b.hi);
    return FastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

// a / b, relative error below 2^-100: a quotient digit, its exact remainder, a second digit.
inline DoubleDouble Divide(DoubleDouble a, DoubleDouble b) {
    const double q = a.hi / b.hi;
    const DoubleDouble r = Subtract(a, Multiply(b, q));
    return FastTwoSum(q, r.hi / b.hi);
}

// sqrt(a) for a >= 0: the rounded root corrected by one Newton step on the exact residual.
inline DoubleDouble SquareRoot(DoubleDouble a) {
    if (a.hi <= 0.0) return {std::sqrt(a.hi), 0.0};
    const double s = std::sqrt(a.hi);
    const DoubleDouble square = TwoProduct(s, s);
    const double residual = ((a.hi - square.hi) - square.lo) + a.lo;
    return FastTwoSum(s, residual / (2.0 * s));
}

// SquareRoot for the fast paths: the correction (below 2^-52 of the root) by the rounded 1 / 2s,
// divided alongside the exact square, 2^-104 of the root more; the rounded root stays the head,
// not renormalised, so that what follows need not wait for the correction.
inline DoubleDouble SquareRootFast(DoubleDouble a) {
    if (a.hi <= 0.0) return {std::sqrt(a.hi), 0.0};
    const double s = std::sqrt(a.hi);
    const double halfReciprocal = 0.5 / s;
    const DoubleDouble square = TwoProduct(s, s);
    const double residual = ((a.hi - square.hi) - square.lo) + a.lo;
    return {s, residual * halfReciprocal};
}

// The double nearest to a.
inline double Round(DoubleDouble a) { return a.hi + a.lo; }

// The integer nearest to v, ties to even, for |v| < 2^51: adding 1.5 * 2^52 leaves no
// fraction bits, in round-to-nearest (the library's mode). Cheaper than a call to round().
inline double NearestInteger(double v) {
    constexpr double kShift = 6755399441055744.0;  // 1.5 * 2^52
    return (v + kShift) - kShift;
}

// p(x) = head[0] + x (head[1] + ... + x (head[n-1] + x tail(x))), the tail in plain double
// arithmetic on x.hi: the head holds the terms whose rounding would show in 106 bits, the tail
// the small ones, whose relative error of a few ulps stays far below the result's last bit.
// Each head coefficient must exceed in magnitude the rest of the polynomial times x (true of
// the series here, whose x is small), so each step adds without cancellation: its sum is taken
// by Fast2Sum and the low parts are gathered without renormalising until the end.
inline DoubleDouble EvaluatePolynomial(DoubleDouble x, std::span<const DoubleDouble> head,
                                       std::span<const double> tail) {
    double t = 0.0;
    for (auto c = tail.rbegin(); c != tail.rend(); ++c) t = t * x.hi + *c;
    const DoubleDouble xSplit = Split(x.hi);
    double hi = t;
    double lo = 0.0;
    for (auto c = head.rbegin(); c != head.rend(); ++c) {
        const DoubleDouble pSplit = Split(hi);
        const double product = hi * x.hi;
        const double productError =
            ((pSplit.hi * xSplit.hi - product) + pSplit.hi * xSplit.lo + pSplit.lo * xSplit.hi) + pSplit.lo * xSplit.lo;
        const double sum = c->hi + product;
        const double sumError = (c->hi - sum) + product;
        lo = sumError + (productError + (c->lo + (hi * x.lo + lo * x.hi)));
        hi = sum;
    }
    return FastTwoSum(hi, lo);
}

}  // namespace quorvex
