// The double-double kernels the elementary functions share, and their constants. Internal to
// core/: callers outside it use elementary_math.hpp.
#pragma once

#include "core/double_double.hpp"

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>

namespace quorvex {

// A value 2^exponent * mantissa, for results whose scaled form would overflow or underflow.
struct ScaledDoubleDouble {
    DoubleDouble mantissa;
    int exponent;
};

// e^x for |x.hi| <= 746, with the mantissa in [0.7, 1.5) and relative error below 2^-85.
ScaledDoubleDouble ExpKernel(DoubleDouble x);

// e^x - 1 for |x.hi| <= 700, relative error below 2^-75 (2^-85 for |x| < ln 2 / 2048).
DoubleDouble Expm1Kernel(DoubleDouble x);

// e^a for |a| <= 711 by the fast paths' reduction in plain double arithmetic: the mantissa in
// [0.7, 2), relative error below 2^-72.8.
ScaledDoubleDouble ExponentialFast(double a);

// ExponentialFast(a) and ExponentialFast(-a) before their last Fast2Sum (each low part below
// 2^-22 of its head), evaluated side by side in one call.
struct ExponentialPair {
    ScaledDoubleDouble up;
    ScaledDoubleDouble down;
};
ExponentialPair ExponentialPairFast(double a);

// 2^k for -1022 <= k <= 1023, from its bits.
inline double PowerOfTwo(int k) {
    constexpr int kBias = 1023;
    constexpr int kMantissaBits = 52;
    return std::bit_cast<double>(static_cast<std::uint64_t>(k + kBias) << kMantissaBits);
}

// ln(a) for a > 0 finite, absolute error below 2^-95 and relative error below 2^-85.
DoubleDouble LogKernel(DoubleDouble a);

// ln(1 + d) for d > -1, relative error below 2^-85, also for tiny d.
DoubleDouble Log1pKernel(DoubleDouble d);

// atan(num / den) for num, den >= 0, not both zero, both below 2^990; relative error below 2^-90.
DoubleDouble AtanOfRatio(DoubleDouble num, DoubleDouble den);

// Ziv's rounding test, as in CRlibm and CORE-MATH: the double nearest to every value within err
// of hi + lo, if they all have the same one, else nothing (the caller takes its accurate path).
// err is widened by the rounding of lo +- err itself (2^-52 |lo| and 2^-50 err), so any true
// bound err makes the answer correctly rounded. A caller that knows a bound lowBound >= |lo|
// before lo itself passes it: the test then waits on lo for two additions only, and its e is at
// least that of |lo|, so whenever it answers, the test with |lo| answers the same.
inline std::optional<double> RoundIfUnambiguous(double hi, double lo, double err, double lowBound) {
    constexpr double kErrorMargin = 1.0 + 0x1p-50;
    constexpr double kLowRounding = 0x1p-52;
    const double e = err * kErrorMargin + lowBound * kLowRounding;
    const double up = hi + (lo + e);
    if (up != hi + (lo - e)) return std::nullopt;
    return up;
}

inline std::optional<double> RoundIfUnambiguous(double hi, double lo, double err) {
    return RoundIfUnambiguous(hi, lo, err, std::fabs(lo));
}

// The double nearest to v * 2^exponent, rounded once even where it is subnormal; +-inf on overflow.
double RoundScaled(DoubleDouble v, int exponent);

// A value hi + lo known to within err: a fast path's result before RoundIfUnambiguous.
struct BoundedValue {
    double hi;
    double lo;
    double err;
};

// ln(a) for 2^-1000 <= a.hi <= 2^1000, |a.lo| <= ulp(a.hi), by the fast path's reduction in
// plain double arithmetic: within err, which is 2^-66 |ln a| + 2^-102.
BoundedValue LogApproximation(DoubleDouble a);

}  // namespace quorvex
